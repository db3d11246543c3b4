"""A private user-mode PulseAudio with null sinks, and a recorder that timestamps their samples."""
import os
import shutil
import subprocess
import tempfile
import threading
import time

import common

RATE = 48000
BLOCK_S = 0.010  # a null sink hands a block to its monitor one block before it plays
SETTLE_S = 3.0  # parec's first reads come in bursts: the clock mapping starts after them


class PrivatePulse:
    """A sound server of our own, in private runtime and home folders, so nothing of the machine's
    own sound set-up is touched or heard."""

    def __init__(self, sinks):
        self.runtime = tempfile.mkdtemp(prefix="vezozil-pulse-")
        self.home = tempfile.mkdtemp(prefix="vezozil-home-")
        self.env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime, HOME=self.home,
                        PULSE_SERVER="unix:%s/pulse/native" % self.runtime)
        self.env.pop("PULSE_SINK", None)
        loads = ["--load=module-null-sink sink_name=%s" % s for s in sinks]
        # -n: no default script, so no suspend-on-idle or hardware modules; -D daemonises.
        subprocess.run(["pulseaudio", "-D", "--exit-idle-time=-1", "-n", *loads,
                        "--load=module-native-protocol-unix"], env=self.env, check=True,
                       stderr=subprocess.DEVNULL)
        self.pid = self._read_pid()

    def _read_pid(self):
        deadline = time.time() + 10
        while time.time() < deadline:
            try:
                with open(os.path.join(self.runtime, "pulse", "pid")) as f:
                    return int(f.read().split()[0])
            except (FileNotFoundError, ValueError, IndexError):
                time.sleep(0.05)
        raise RuntimeError("pulseaudio did not start")

    def pactl(self, *args):
        return subprocess.run(["pactl", *args], env=self.env, capture_output=True, text=True).stdout

    def sink_inputs(self):
        """The playback streams open right now."""
        return [line for line in self.pactl("list", "short", "sink-inputs").splitlines() if line.strip()]

    def stop(self):
        if self.pid:
            common.kill_pid(self.pid)
            self.pid = None
        shutil.rmtree(self.runtime, ignore_errors=True)
        shutil.rmtree(self.home, ignore_errors=True)


class Recorder:
    """Reads a monitor with parec and maps each sample to the wall clock. Every read is at or after
    the moment its last sample was produced, so the least-delayed read seen after the first few seconds
    gives the wall time of sample 0."""

    def __init__(self, pulse, source):
        self.proc = subprocess.Popen(
            ["parec", "--latency-msec=10", "--device=%s" % source, "--format=s16le",
             "--rate=%d" % RATE, "--channels=1", "--raw"],
            env=pulse.env, stdout=subprocess.PIPE)
        self.samples = bytearray()
        self.started = time.time()
        self.offset = None  # wall time of sample 0
        self.last_lag = None  # how far behind the mapping the latest read came
        self.thread = threading.Thread(target=self._read, daemon=True)
        self.thread.start()

    def _read(self):
        fd = self.proc.stdout.fileno()
        while True:
            chunk = os.read(fd, 65536)
            if not chunk:
                return
            now = time.time()
            self.samples += chunk
            if now - self.started < SETTLE_S:
                continue
            start = now - (len(self.samples) // 2) / RATE
            if self.offset is None or start < self.offset:
                self.offset = start
            self.last_lag = start - self.offset

    def wait_steady(self, timeout=20):
        deadline = time.time() + timeout
        while self.offset is None:
            if time.time() > deadline or self.proc.poll() is not None:
                raise RuntimeError("parec delivers no samples")
            time.sleep(0.05)

    def onset_after(self, t, threshold, search_s=10.0):
        """Wall time at which the first loud sample at or after t - 0.5 s plays, or None."""
        first = max(0, int((t - 0.5 - self.offset) * RATE))
        last = min(len(self.samples) // 2, first + int(search_s * RATE))
        if last <= first:
            return None
        data = memoryview(bytes(self.samples[first * 2:last * 2])).cast("h")
        for i, v in enumerate(data):
            if v > threshold or v < -threshold:
                return self.offset + (first + i) / RATE + BLOCK_S
        return None

    def stop(self):
        common.stop(self.proc)
