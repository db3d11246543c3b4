#!/usr/bin/env python3
"""What the program costs while it waits between bells: its CPU and the sound server's over 60 s
with the window shown (offscreen) and no bell due, resident memory, context switches, and whether a
sound stream is held open in the quiet. Beside it, in the same seconds, the floor: bench/waker.c, a
bare C program that wakes at every whole second and formats the time.

usage: idle.py [BUILD] [--seconds N]"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import common  # noqa: E402
from pulse import PrivatePulse  # noqa: E402

SETTLE_S = 5  # past start-up and its first paint


def quiet_timetable(margin_minutes):
    """A full school day with every bell at least `margin_minutes` away from now, either way."""
    now = time.localtime()
    minute_now = now.tm_hour * 60 + now.tm_min
    slots = {}
    for index, text in common.full_day().items():
        minute = int(text[:2]) * 60 + int(text[3:])
        distance = min((minute - minute_now) % 1440, (minute_now - minute) % 1440)
        if distance >= margin_minutes:
            slots[index] = text
    return slots


def start_waker():
    """Compiles and starts the bare waker; returns (process, its folder)."""
    folder = tempfile.mkdtemp(prefix="vezozil-waker-")
    exe = os.path.join(folder, "waker")
    source = os.path.join(os.path.dirname(os.path.abspath(__file__)), "waker.c")
    subprocess.run(["cc", "-O2", "-o", exe, source], check=True)
    return subprocess.Popen([exe]), folder


def run_ms_per_second(before, after, span):
    return 1000 * common.thread_deltas(before, after)[1] / span


def sample(pid, server):
    return common.cpu_seconds(pid), common.cpu_seconds(server), common.thread_counters(pid), time.monotonic()


def measure(build, seconds):
    folder = common.make_program_folder(build, quiet_timetable(seconds // 60 + 3),
                                        common.melodi_lines(announce=1, music_break=1, lessons_music=1))
    pulse = PrivatePulse(["vsink"])
    app = waker = None
    waker_folder = None
    try:
        waker, waker_folder = start_waker()
        env = dict(pulse.env, QT_QPA_PLATFORM="offscreen", SDL_AUDIODRIVER="pulseaudio", PULSE_SINK="vsink")
        app = subprocess.Popen([os.path.join(build, "vezozil"), "--dir", folder], env=env,
                               stderr=subprocess.DEVNULL)
        time.sleep(SETTLE_S)
        streams_before = len(pulse.sink_inputs())
        cpu0, srv0, cs0, t0 = sample(app.pid, pulse.pid)
        w0 = common.thread_counters(waker.pid)
        time.sleep(seconds)
        cpu1, srv1, cs1, t1 = sample(app.pid, pulse.pid)
        w1 = common.thread_counters(waker.pid)
        streams_after = len(pulse.sink_inputs())
        if app.poll() is not None:
            raise RuntimeError("vezozil ended early (status %s)" % app.returncode)
        span = t1 - t0
        switches, fine_cpu, ended = common.thread_deltas(cs0, cs1)
        print("idle over %.0f s (%s)" % (span, common.machine_load()))
        ours, floor = 1000 * fine_cpu / span, run_ms_per_second(w0, w1, span)
        print("run time per idle second (scheduler's clock): vezozil %.3f ms, bare C waker %.3f ms "
              "(floor); %.1fx the floor" % (ours, floor, ours / floor if floor > 0 else float("inf")))
        print("idle CPU, window shown: vezozil %.4f %% of one core, bare C waker %.4f %%"
              % (ours / 10, floor / 10))
        print("program CPU by tick counts %.3f %%, sound server %.3f %%"
              % (100 * (cpu1 - cpu0) / span, 100 * (srv1 - srv0) / span))
        print("resident memory: peak %.1f MB, now %.1f MB; %d threads" % (
            common.status_field(app.pid, "VmHWM") / 1024, common.status_field(app.pid, "VmRSS") / 1024,
            common.thread_count(app.pid)))
        print("context switches: %.2f per second%s" % (
            switches / span, " (%d threads ended in between, not counted)" % ended if ended else ""))
        print("open sound streams while quiet: %d at the start, %d at the end" % (streams_before, streams_after))
    finally:
        common.stop(app)
        common.stop(waker)
        if waker_folder:
            shutil.rmtree(waker_folder, ignore_errors=True)
        pulse.stop()
        shutil.rmtree(folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", nargs="?", default="build")
    parser.add_argument("--seconds", type=int, default=60)
    args = parser.parse_args()
    common.end_cleanly_on_signals()
    measure(os.path.abspath(args.build), args.seconds)


if __name__ == "__main__":
    main()
