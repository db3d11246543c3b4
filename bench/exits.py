#!/usr/bin/env python3
"""How fast the program ends when it is asked to: the time from the request to the end of the process.

Each signal a logout or a system shutdown sends (SIGTERM, SIGINT, SIGHUP) is sent to the running
program, with its window (offscreen) and headless, and the time until the process has ended is taken
as the service manager sees it (kill to the parent's wait). The floor is the same signal to a plain
`sleep`, which ends by the kernel's default action. The weekend close is timed from exec, under
libfaketime on a Saturday with "Haftasonu programı kapat" ticked, to the end of the process; its floor
is /bin/true and `vezozil --version` under the same libfaketime.

usage: exits.py [BUILD] [--runs N]"""
import argparse
import os
import shutil
import signal
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import common  # noqa: E402

FAKETIME = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"
SATURDAY = "@2026-12-12 09:59:50"


def environment(**more):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", SDL_AUDIODRIVER="dummy",
               QT_LOGGING_RULES="vezozil.*.info=true")
    for name in ("NOTIFY_SOCKET", "WATCHDOG_USEC", "SESSION_MANAGER"):
        env.pop(name, None)
    env.update(more)
    return env


def wait_for_line(proc, text, timeout=30):
    deadline = time.monotonic() + timeout
    for line in proc.stderr:
        if text in line:
            return True
        if time.monotonic() > deadline:
            break
    return False


def signal_to_end(command, sig, ready_text):
    """Seconds from the signal to the end of the process, or None when it did not start or end."""
    proc = subprocess.Popen(command, env=environment(), stderr=subprocess.PIPE, text=True)
    try:
        if ready_text and not wait_for_line(proc, ready_text):
            return None
        if not ready_text:
            time.sleep(0.2)  # sleep has started
        start = time.monotonic()
        proc.send_signal(sig)
        proc.wait(30)
        return time.monotonic() - start
    except subprocess.TimeoutExpired:
        return None
    finally:
        common.stop(proc, signal.SIGKILL)


def exec_to_end(command, **env):
    start = time.monotonic()
    proc = subprocess.run(command, env=environment(**env), stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL, timeout=60)
    return time.monotonic() - start, proc.returncode


def summary(values):
    ms = [v * 1000 for v in values]
    return "median %.1f ms (min %.1f, max %.1f, %d runs)" % (common.median(ms), min(ms), max(ms), len(ms))


def measure_signals(exe, folder, runs):
    for sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        name = signal.Signals(sig).name
        floor = [signal_to_end(["sleep", "60"], sig, None) for _ in range(runs)]
        print("%s, plain sleep (floor): %s" % (name, summary([f for f in floor if f is not None])))
        for mode, extra in (("window", []), ("headless", ["--headless"])):
            ends = [signal_to_end([exe, "--dir", folder] + extra, sig, "vezozil.app: first tick")
                    for _ in range(runs)]
            done = [e for e in ends if e is not None]
            if len(done) != runs:
                print("%s, %s: %d of %d runs did not end" % (name, mode, runs - len(done), runs))
            if done:
                print("%s to the end of the process, %s: %s" % (name, mode, summary(done)))


def measure_weekend(exe, folder, runs):
    if not os.path.exists(FAKETIME):
        print("weekend close: libfaketime is not installed (scripts/install-deps)")
        return
    faked = dict(LD_PRELOAD=FAKETIME, FAKETIME=SATURDAY)
    common.write_lines(os.path.join(folder, "melodi.txt"),
                       [str(v) for v in common.melodi_lines()[:6] + [1] + common.melodi_lines()[7:]])
    for label, command in (("/bin/true (floor)", ["/bin/true"]),
                           ("vezozil --version (floor)", [exe, "--version"]),
                           ("weekend close, window", [exe, "--dir", folder]),
                           ("weekend close, headless", [exe, "--dir", folder, "--headless"])):
        results = [exec_to_end(command, **faked) for _ in range(runs)]
        statuses = sorted({status for _, status in results})
        print("exec to the end, a Saturday under libfaketime, %s: %s; exit status %s"
              % (label, summary([t for t, _ in results]), ", ".join(map(str, statuses))))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", nargs="?", default="build")
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    common.end_cleanly_on_signals()
    build = os.path.abspath(args.build)
    exe = os.path.join(build, "vezozil")
    folder = common.make_program_folder(build, {}, common.melodi_lines())
    try:
        print(common.machine_load())
        measure_signals(exe, folder, args.runs)
        measure_weekend(exe, folder, args.runs)
        print(common.machine_load())
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
