"""A private user-mode PulseAudio with null sinks, and a recorder that timestamps their samples."""
import os
import shutil
import subprocess
import tempfile
import threading
import time

import common

RATE = 44100  # the sinks', the recorders' and the program's rate: nothing is resampled
SETTLE_S = 3.0  # parec's first reads come in bursts of pre-rendered silence: they are not used
LOCAL_S = 0.5  # reads this soon after a sample place it on the wall clock


class PrivatePulse:
    """A sound server of our own, in private runtime and home folders, so nothing of the machine's
    own sound set-up is touched or heard."""

    def __init__(self, sinks):
        self.runtime = tempfile.mkdtemp(prefix="vezozil-pulse-")
        self.home = tempfile.mkdtemp(prefix="vezozil-home-")
        self.env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime, HOME=self.home,
                        PULSE_SERVER="unix:%s/pulse/native" % self.runtime)
        self.env.pop("PULSE_SINK", None)
        loads = ["--load=module-null-sink sink_name=%s rate=%d" % (s, RATE) for s in sinks]
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

    def configured_latency(self):
        """Per sink, its configured latency in seconds. A null sink renders one such block ahead of
        playing it, so a sound plays one block after its monitor has it."""
        latencies, name = {}, None
        for line in self.pactl("list", "sinks").splitlines():
            line = line.strip()
            if line.startswith("Name:"):
                name = line.split(None, 1)[1]
            elif line.startswith("Latency:") and "configured" in line and name:
                latencies[name] = int(line.split("configured")[1].split()[0]) / 1e6
        return latencies

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
    """Reads a monitor with parec and places each sample on the wall clock.

    A read comes at or after the moment the sink rendered its last sample, so the least-delayed reads
    give the wall time of a sample. That relation is taken afresh beside each sound: while a program's
    stream is open the sink renders in smaller blocks and gets a little ahead of the wall clock (about
    a millisecond per stream), so one mapping for a whole run would drift by tens of milliseconds."""

    def __init__(self, pulse, source):
        self.proc = subprocess.Popen(
            ["parec", "--latency-msec=10", "--device=%s" % source, "--format=s16le",
             "--rate=%d" % RATE, "--channels=1", "--raw"],
            env=pulse.env, stdout=subprocess.PIPE)
        self.samples = bytearray()
        self.started = time.time()
        self.offset = None  # wall time of sample 0, roughly: where to look for a sound
        self.reads = []  # (wall time, samples so far) of every read after the first seconds
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
            count = len(self.samples) // 2
            self.reads.append((now, count))
            if self.offset is None:
                self.offset = now - count / RATE

    def wait_steady(self, timeout=20):
        deadline = time.time() + timeout
        while self.offset is None:
            if time.time() > deadline or self.proc.poll() is not None:
                raise RuntimeError("parec delivers no samples")
            time.sleep(0.05)

    def delivered_at(self, index):
        """Wall time at which the monitor had sample `index` (one block before it plays), from the
        reads just after it."""
        last = index + int(LOCAL_S * RATE)
        starts = [t - n / RATE for t, n in self.reads if index <= n <= last]
        if not starts:
            return None
        return min(starts) + index / RATE

    def onset_after(self, t, threshold, block_s, search_s=10.0):
        """Wall time at which the first loud sample at or after about t - 0.5 s plays, or None."""
        first = max(0, int((t - 0.5 - self.offset) * RATE))
        last = min(len(self.samples) // 2, first + int(search_s * RATE))
        if last <= first:
            return None
        data = memoryview(bytes(self.samples[first * 2:last * 2])).cast("h")
        for i, v in enumerate(data):
            if v > threshold or v < -threshold:
                delivered = self.delivered_at(first + i)
                return delivered + block_s if delivered is not None else None
        return None

    def drift(self):
        """How far the sample count ran ahead of the wall clock over the recording, in seconds."""
        if len(self.reads) < 2:
            return 0.0
        early = min(t - n / RATE for t, n in self.reads[:200])
        late = min(t - n / RATE for t, n in self.reads[-200:])
        return early - late

    def stop(self):
        common.stop(self.proc)
