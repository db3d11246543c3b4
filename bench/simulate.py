#!/usr/bin/env python3
"""Wall time and ticks per second of `vezozil --simulate` over one school week, as an operator runs
it: a full 17-lesson timetable every day, music after every lesson, both announcements, the relay on
LPT1. The whole command is timed: start-up, reading the folder, the ticks and the printed events.

usage: simulate.py [BUILD]"""
import collections
import os
import shutil
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import common  # noqa: E402

# Monday 00:00:00 to Friday 23:59:59 of a fixed week.
FROM, UNTIL = "2026-12-07T00:00:00", "2026-12-11T23:59:59"
TICKS = 5 * 86400


def main():
    build = common.build_dir(sys.argv)
    melodiler = os.path.join(build, "melodiler")
    music = [os.path.join(melodiler, "%d.wav" % i) for i in range(1, 10)]
    folder = common.make_program_folder(build, common.full_day(),
                                        common.melodi_lines(announce=1, music_break=1, lessons_music=1),
                                        music=music, port=1)
    try:
        args = [os.path.join(build, "vezozil"), "--dir", folder, "--simulate", FROM, UNTIL]
        start = time.monotonic()
        out = subprocess.run(args, capture_output=True, text=True, check=True).stdout
        wall = time.monotonic() - start
        kinds = collections.Counter(" ".join(line.split()[1:3]) for line in out.splitlines())
        counted = ", ".join("%d %s" % (kinds[k], k) for k in ("wav play", "music play", "relay 888"))
        print("simulated school week (command): %.2f s wall, %.0f ticks/s, %d events (%s)"
              % (wall, TICKS / wall, sum(kinds.values()), counted))
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
