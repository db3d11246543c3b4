#!/usr/bin/env python3
"""What a school hears of a timed bell: when the relay closes and when the bell's first loud sample
reaches the loudspeakers' sink, both against hh:mm:00.000 of the wall clock, beside the floor of the
same run: paplay started exactly on a whole second, on the same WAV, into a sink of its own.

usage: bell_onset.py [BUILD] [--bells N] [--idle-minutes M] [--warm-up W] [--stress]
                     [--relay lpt|serial|hung]

The program rings at hh:mm:00 of N minutes; paplay plays at hh:mm:30 of the same minutes, so the two
never share a moment of the machine. Nothing is subtracted: the file's own head is part of the bell.
--warm-up W writes [Amfi] IsinmaSuresi=W into the program folder's ayarlar.ini (the amplifier is then
switched on W seconds ahead). --stress keeps both cores busy with stress-ng --cpu 2 all the while.
--relay names the relay: LPT1 (the default; its writes are logged whether or not a port answers), a
USB-serial board on a pseudo-terminal that the benchmark reads, or one that hangs: a pseudo-terminal
whose output flow control holds and that nobody reads, so every write waits for it and fails.
Takes about IDLE + BELLS + 1 minutes."""
import argparse
import datetime
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import termios
import threading
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import common  # noqa: E402
from pulse import PrivatePulse, Recorder  # noqa: E402

THRESHOLD = 1638  # 5 % of full scale: a bell is heard from here on
MELODY = "1.wav"  # "Melodi 1", the student bell
FLOOR_AT = 30  # seconds into each bell minute at which paplay starts
PORT = 1  # LPT1, 888: the relay's writes are logged whether or not a port answers
# The moment of a switch-on; an LPT write is counted whether or not a port answers, as none does here.
RELAY_LINE = re.compile(r"relay write (\S+) 1 at (\S+)( \(failed\))?\s*$")
FAILED_LINE = re.compile(r"relay write \S+ \d+ at \S+ \(failed\)")
RELAYS = {
    "lpt": "LPT1",
    "serial": "a USB-serial board on a pseudo-terminal",
    "hung": "a USB-serial board that hangs (a pseudo-terminal held by flow control, never read)",
}


def bell_minutes(count, idle_minutes):
    now = time.time()
    next_minute = (int(now) // 60 + 1) * 60
    # At least idle_minutes of quiet before the first bell, as a school's PC has between bells.
    first = next_minute + 60 * (idle_minutes + (1 if next_minute - now < 30 else 0))
    return [first + 60 * i for i in range(count)]


def sandboxed(command):
    """The program must not switch a real amplifier: as root it could reach any I/O port, so the right
    to do so is dropped; a port the kernel offers (/dev/parport*) is a real one, and is refused."""
    if glob.glob("/dev/parport*"):
        raise SystemExit("a parallel port is present: a bell benchmark here would switch its relay")
    if os.geteuid() == 0 and shutil.which("setpriv"):
        return ["setpriv", "--bounding-set", "-sys_rawio", "--inh-caps", "-sys_rawio", "--"] + command
    return command


def start_vezozil(exe, folder, pulse, log):
    env = dict(pulse.env, QT_QPA_PLATFORM="offscreen", SDL_AUDIODRIVER="pulseaudio", PULSE_SINK="vsink",
               QT_LOGGING_RULES="vezozil.relay.debug=true")
    return subprocess.Popen(sandboxed([exe, "--dir", folder]), env=env, stderr=log)


def play_floor(pulse, wav, at):
    """paplay started on the whole second `at`, as a plain tool would be."""
    time.sleep(max(0, at - time.time()))
    return subprocess.Popen(["paplay", "--device=csink", wav], env=pulse.env)


def relay_closes(log, minutes, warm_up):
    """Wall time of the first switch-on within ten seconds before each bell's warm-up and its minute's
    end: the program's own line, written right after the port write."""
    log.seek(0)
    ons = []
    for line in log:
        found = RELAY_LINE.search(line)
        if found:
            ons.append(datetime.datetime.fromisoformat(found.group(2)).timestamp())
    return [next((t for t in ons if m - warm_up - 10 <= t < m + 60), None) for m in minutes]


def ms_list(values):
    return " ".join("%.1f" % (v * 1000) if v is not None else "-" for v in values)


def report(name, delays):
    valid = [d for d in delays if d is not None]
    med = common.median(valid) * 1000
    mx = max(valid) * 1000 if valid else float("nan")
    print("%-28s %s   median %.1f   max %.1f" % (name, ms_list(delays), med, mx))
    return med


def stress():
    if not shutil.which("stress-ng"):
        raise SystemExit("stress-ng is not installed (scripts/install-deps --bench)")
    return subprocess.Popen(["stress-ng", "--cpu", "2", "--quiet"], stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)


class SerialBoard:
    """A pseudo-terminal in place of a USB-serial relay board. A working one is read as a board reads;
    a hung one holds its output with flow control and is never read, so each write waits, then fails."""

    def __init__(self, hung):
        self.master, self.slave = os.openpty()
        self.reader = None
        if hung:
            termios.tcflow(self.slave, termios.TCOOFF)
        else:
            self.reader = threading.Thread(target=self._drain, daemon=True)
            self.reader.start()

    def _drain(self):
        try:
            while os.read(self.master, 64):
                pass
        except OSError:
            pass

    def path(self):
        return os.ttyname(self.slave)

    def close(self):
        os.close(self.master)
        os.close(self.slave)


def write_ayarlar(folder, seconds, board):
    with open(os.path.join(folder, "ayarlar.ini"), "w", encoding="utf-8") as f:
        f.write("[Amfi]\nIsinmaSuresi=%d\n" % seconds)
        if board:
            f.write("[Role]\nTur=usb-seri\nAygit=%s\nKanal=1\n" % board.path())


def failed_writes(log):
    log.seek(0)
    return sum(1 for line in log if FAILED_LINE.search(line))


def measure(args):
    minutes = bell_minutes(args.bells, args.idle_minutes)
    slots = {3 * i: time.strftime("%H:%M", time.localtime(m)) for i, m in enumerate(minutes)}
    board = SerialBoard(args.relay == "hung") if args.relay != "lpt" else None
    folder = common.make_program_folder(args.build, slots, common.melodi_lines(student=0),
                                        port=PORT if board is None else None)
    write_ayarlar(folder, args.warm_up, board)
    wav = os.path.join(folder, "melodiler", MELODY)
    pulse = PrivatePulse(["vsink", "csink"])
    log = tempfile.TemporaryFile(mode="w+")
    recorders, app, load, players = [], None, None, []
    try:
        recorders = [Recorder(pulse, "vsink.monitor"), Recorder(pulse, "csink.monitor")]
        for r in recorders:
            r.wait_steady()
        app = start_vezozil(os.path.join(args.build, "vezozil"), folder, pulse, log)
        load = stress() if args.stress else None
        print("build %s; bells at %s, warm-up %d s%s; relay: %s; %s" % (
            args.build, ", ".join(slots[k] for k in sorted(slots)), args.warm_up,
            ", both cores loaded by stress-ng" if load else "", RELAYS[args.relay], common.machine_load()),
            flush=True)
        blocks = [[], []]
        for m in minutes:
            # Mid-sound the stream is open: the sink's block is then what it was at the onset.
            time.sleep(max(0, m + 3 - time.time()))
            blocks[0].append(pulse.configured_latency().get("vsink", 0.010))
            players.append(play_floor(pulse, wav, m + FLOOR_AT))
            time.sleep(max(0, m + FLOOR_AT + 3 - time.time()))
            blocks[1].append(pulse.configured_latency().get("csink", 0.010))
        time.sleep(max(0, minutes[-1] + FLOOR_AT + 20 - time.time()))
        if app.poll() is not None:
            raise RuntimeError("vezozil ended early (status %s)" % app.returncode)
        print("load during the run: %s" % common.machine_load())
        print("sink blocks at the bells, ms: vezozil %s; paplay %s" % (ms_list(blocks[0]), ms_list(blocks[1])))
        starts = [minutes, [m + FLOOR_AT for m in minutes]]
        onsets = [[None if o is None else o - s for s, o in
                   zip(starts[k], (recorders[k].onset_after(s, THRESHOLD, b) for s, b in zip(starts[k], blocks[k])))]
                  for k in (0, 1)]
        print("after hh:mm:00.000, in ms (first sample >= 5 % of full scale at the sink; relay from the "
              "program's log):")
        # A board that hangs never closes: its writes are counted instead.
        closes = relay_closes(log, minutes, args.warm_up) if args.relay != "hung" else [None] * len(minutes)
        if args.relay != "hung":
            report("relay closes (vezozil)", [None if c is None else c - m for c, m in zip(closes, minutes)])
        if args.warm_up:
            report("  the same after hh:mm:00 - %d s" % args.warm_up,
                   [None if c is None else c - m + args.warm_up for c, m in zip(closes, minutes)])
        ours = report("audible onset (vezozil)", onsets[0])
        floor = report("audible onset (paplay floor)", onsets[1])
        print("median onset vezozil / paplay floor: %.2fx" % (ours / floor if floor > 0 else float("inf")))
        heard_first = [c is not None and o is not None and c - m < o for c, m, o in zip(closes, minutes, onsets[0])]
        if args.relay == "hung":
            print("relay writes that waited and failed: %d" % failed_writes(log))
        else:
            print("relay closed before the first loud sample: %d of %d bells" % (sum(heard_first), len(minutes)))
        print("vezozil resident memory: peak %.1f MB, now %.1f MB" % (
            common.status_field(app.pid, "VmHWM") / 1024, common.status_field(app.pid, "VmRSS") / 1024))
        print("recorders: sample counts ran %.1f / %.1f ms ahead of the wall clock over the run "
              "(corrected at each sound)" % tuple(r.drift() * 1000 for r in recorders))
    except Exception:
        log.seek(0)
        sys.stderr.write(log.read()[-4000:])
        raise
    finally:
        common.stop(load)
        for p in players:
            common.stop(p)
        common.stop(app)
        for r in recorders:
            r.stop()
        pulse.stop()
        log.close()
        shutil.rmtree(folder, ignore_errors=True)
        if board:
            board.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", nargs="?", default="build")
    parser.add_argument("--bells", type=int, default=5)
    parser.add_argument("--idle-minutes", type=int, default=1)
    parser.add_argument("--warm-up", type=int, default=0)
    parser.add_argument("--stress", action="store_true")
    parser.add_argument("--relay", choices=sorted(RELAYS), default="lpt")
    args = parser.parse_args()
    args.build = os.path.abspath(args.build)
    common.end_cleanly_on_signals()
    measure(args)


if __name__ == "__main__":
    main()
