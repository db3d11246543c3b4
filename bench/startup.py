#!/usr/bin/env python3
"""Time from exec to the first tick, median of 10 runs.

The tick fires just after a whole second of the wall clock, so the first one waits between 0 and 1 s
once start-up is done. The runs are therefore started at ten phases spread over the second, and the
start-up work itself is shown apart: exec to the last message before the first tick (the window shown).

usage: startup.py [BUILD] [--runs N]"""
import argparse
import os
import shutil
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import common  # noqa: E402

# Every line stamped with the monotonic clock, which time.monotonic() reads too.
PATTERN = "%{time boot} %{category}: %{message}"


def wait_for_phase(fraction):
    now = time.time()
    target = int(now) + fraction
    if target <= now + 0.05:
        target += 1
    time.sleep(target - now)


def one_run(exe, folder):
    """(exec to first tick, exec to the message before it), in seconds; None when it did not start."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", SDL_AUDIODRIVER="dummy",
               QT_LOGGING_RULES="vezozil.*.info=true", QT_MESSAGE_PATTERN=PATTERN)
    start = time.monotonic()
    proc = subprocess.Popen([exe, "--dir", folder], env=env, stderr=subprocess.PIPE, text=True)
    previous = None
    try:
        for line in proc.stderr:
            stamp = line.split(None, 1)[0] if line.strip() else ""
            try:
                at = float(stamp) - start
            except ValueError:
                continue  # a continuation line of a longer message
            if "vezozil.app: first tick" in line:
                return at, previous
            previous = at
        return None
    finally:
        common.stop(proc)


def measure(build, runs):
    folder = common.make_program_folder(build, common.full_day(), common.melodi_lines())
    try:
        results = []
        for i in range(runs):
            wait_for_phase((i + 0.5) / runs)
            result = one_run(os.path.join(build, "vezozil"), folder)
            if result is not None:
                results.append(result)
        if not results:
            print("start-up: the program never reached its first tick")
            return
        ticks = [r[0] * 1000 for r in results]
        work = [r[1] * 1000 for r in results if r[1] is not None]
        print("start-up, exec to first tick: median %.0f ms (min %.0f, max %.0f, %d runs at spread phases "
              "of the second)" % (common.median(ticks), min(ticks), max(ticks), len(ticks)))
        if work:
            print("start-up work, exec to the window shown: median %.0f ms (min %.0f, max %.0f); %s"
                  % (common.median(work), min(work), max(work), common.machine_load()))
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", nargs="?", default="build")
    parser.add_argument("--runs", type=int, default=10)
    args = parser.parse_args()
    common.end_cleanly_on_signals()
    measure(os.path.abspath(args.build), args.runs)


if __name__ == "__main__":
    main()
