#!/usr/bin/env python3
"""The USB-serial relay of the real program, on a pseudo-terminal in place of the board: when its
bytes arrive, measured from the whole second of the tick that writes them, for the switching on
(the tick at hh:mm:00 that starts each bell) and off (the first tick after the sound). The floor beside it:
a plain Python loop that sleeps to each whole second and writes the same four bytes to the same
kind of terminal. Also counts the frames written in quiet seconds: one write per change.

The bells ring at the next whole minutes of the wall clock, so a run of N bells takes N+1 minutes.

usage: relay_serial.py [BUILD] [--bells N]"""
import argparse
import os
import pty
import select
import shutil
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import common  # noqa: E402

ON = bytes.fromhex("a00101a2")
OFF = bytes.fromhex("a00100a1")


def read_frames(master, until):
    """(wall time of arrival, four bytes) of each frame that arrives before `until`."""
    frames, pending = [], b""
    while time.time() < until:
        ready, _, _ = select.select([master], [], [], 0.2)
        if not ready:
            continue
        at = time.time()
        pending += os.read(master, 64)
        while len(pending) >= 4:
            frames.append((at, pending[:4]))
            pending = pending[4:]
    return frames


def phase_ms(at):
    """Milliseconds after the whole second before `at`."""
    return (at - int(at)) * 1000


def program_run(build, bells):
    master, slave = pty.openpty()
    now = time.time()
    first = (int(now // 60) + 1) * 60
    if first - now < 10:
        first += 60
    minutes = [first + 60 * i for i in range(bells)]
    slots = {3 * i: time.strftime("%H:%M", time.localtime(m)) for i, m in enumerate(minutes)}
    folder = common.make_program_folder(build, slots, common.melodi_lines())
    with open(os.path.join(folder, "ayarlar.ini"), "w") as f:
        f.write("[Role]\nTur=usb-seri\nAygit=%s\nKanal=1\n" % os.ttyname(slave))
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", SDL_AUDIODRIVER="dummy")
    proc = subprocess.Popen([os.path.join(build, "vezozil"), "--dir", folder], env=env,
                            stderr=subprocess.DEVNULL)
    try:
        frames = read_frames(master, minutes[-1] + 40)
    finally:
        common.stop(proc)
        os.close(master)
        os.close(slave)
        shutil.rmtree(folder, ignore_errors=True)
    return minutes, frames


def floor_run(count):
    """The same four bytes written by a plain loop at whole seconds; their arrival phases."""
    master, slave = pty.openpty()
    phases = []
    try:
        for _ in range(count):
            time.sleep(int(time.time()) + 1 - time.time())
            os.write(slave, ON)
            select.select([master], [], [], 1)
            phases.append(phase_ms(time.time()))
            os.read(master, 64)
    finally:
        os.close(master)
        os.close(slave)
    return phases


def summary(values):
    return "median %.1f ms, max %.1f ms (n=%d)" % (common.median(values), max(values), len(values))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?", default="build")
    parser.add_argument("--bells", type=int, default=3)
    args = parser.parse_args()
    common.end_cleanly_on_signals()
    build = os.path.abspath(args.build)
    print(common.machine_load())
    minutes, frames = program_run(build, args.bells)
    ons = [at for at, b in frames if b == ON]
    offs = [at for at, b in frames if b == OFF]
    # Anything beyond the start-up reset and one on and one off per bell went out in a quiet second.
    print("frames: %d; beyond the start-up reset and one on and one off for each of %d bells: %d"
          % (len(frames), args.bells, len(frames) - 1 - 2 * args.bells))
    if len(ons) != args.bells or len(offs) != args.bells + 1:
        print("unexpected frames:", [(time.strftime("%H:%M:%S", time.localtime(t)), b.hex()) for t, b in frames])
        return 1
    late = [(on - m) * 1000 for on, m in zip(ons, minutes)]
    print("relay on, after hh:mm:00 of its bell:        " + summary(late))
    print("relay off, after the whole second of its tick: " + summary([phase_ms(t) for t in offs[1:]]))
    print("floor, a plain write at whole seconds:       " + summary(floor_run(10)))
    print(common.machine_load())
    return 0


if __name__ == "__main__":
    sys.exit(main())
