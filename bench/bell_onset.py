#!/usr/bin/env python3
"""End-to-end bell punctuality: when a bell's sound reaches the sound server, against hh:mm:00.000 of
the wall clock, for vezozil and, in the same run and on the same WAV, for Debian's cron running paplay.

usage: bell_onset.py [BUILD] [--bells N] [--idle-minutes M] [--no-cron]
Takes about IDLE + BELLS + 1 minutes. Each program plays into a null sink of its own."""
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
from pulse import PrivatePulse, Recorder  # noqa: E402

THRESHOLD = 600  # of 32767: about -35 dBFS, far above the null sink's digital silence
MELODY = "1.wav"  # "Melodi 1", the student bell


def bell_minutes(count, idle_minutes):
    now = time.time()
    next_minute = (int(now) // 60 + 1) * 60
    # At least idle_minutes of quiet before the first bell, as a school's PC has between bells.
    first = next_minute + 60 * (idle_minutes + (1 if next_minute - now < 30 else 0))
    return [first + 60 * i for i in range(count)]


class Cron:
    """Debian's cron running paplay at the bell minutes, with root's crontab put back afterwards.
    Where the cron service already runs, ours leaves at once and the service runs the same crontab."""

    def __init__(self, pulse, minutes, wav):
        saved = subprocess.run(["crontab", "-l"], capture_output=True, text=True)
        self.saved = saved.stdout if saved.returncode == 0 else None
        lines = ['MAILTO=""', "XDG_RUNTIME_DIR=%s" % pulse.runtime, "HOME=%s" % pulse.home,
                 "PULSE_SERVER=%s" % pulse.env["PULSE_SERVER"]]
        for m in minutes:
            tm = time.localtime(m)
            lines.append("%d %d * * * paplay --device=csink %s" % (tm.tm_min, tm.tm_hour, wav))
        subprocess.run(["crontab", "-"], input="\n".join(lines) + "\n", text=True, check=True)
        self.proc = subprocess.Popen(["cron", "-f"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def stop(self):
        if self.saved is None:
            subprocess.run(["crontab", "-r"], stderr=subprocess.DEVNULL)
        else:
            subprocess.run(["crontab", "-"], input=self.saved, text=True)
        common.stop(self.proc)


def cron_usable(refused):
    if refused:
        return False
    if not (shutil.which("cron") and shutil.which("crontab")):
        print("cron is not installed (scripts/install-deps --bench): no comparison")
        return False
    if os.geteuid() != 0:
        print("cron runs only as root: no comparison")
        return False
    return True


def report(name, minutes, onsets):
    delays = [(o - m) if o is not None else None for m, o in zip(minutes, onsets)]
    shown = " ".join("%.1f" % (d * 1000) if d is not None else "-" for d in delays)
    valid = [d for d in delays if d is not None]
    med = common.median(valid) * 1000
    mx = max(valid) * 1000 if valid else float("nan")
    print("%-14s onset after hh:mm:00, ms: %s   median %.1f   max %.1f" % (name, shown, med, mx))
    return med


def start_vezozil(exe, folder, pulse, log):
    env = dict(pulse.env, QT_QPA_PLATFORM="offscreen", SDL_AUDIODRIVER="pulseaudio", PULSE_SINK="vsink")
    return subprocess.Popen([exe, "--dir", folder], env=env, stderr=log)


def measure(args):
    minutes = bell_minutes(args.bells, args.idle_minutes)
    slots = {3 * i: time.strftime("%H:%M", time.localtime(m)) for i, m in enumerate(minutes)}
    folder = common.make_program_folder(args.build, slots, common.melodi_lines(student=0))
    wav = os.path.join(folder, "melodiler", MELODY)
    lead_in = common.wav_lead_in(wav, THRESHOLD)
    use_cron = cron_usable(args.no_cron)
    pulse = PrivatePulse(["vsink", "csink"])
    log = tempfile.TemporaryFile(mode="w+")
    recorders, app, cron = [], None, None
    try:
        recorders = [Recorder(pulse, "vsink.monitor"), Recorder(pulse, "csink.monitor")]
        for r in recorders:
            r.wait_steady()
        app = start_vezozil(os.path.join(args.build, "vezozil"), folder, pulse, log)
        if use_cron:
            cron = Cron(pulse, minutes, wav)
        print("build %s; bells at %s, idle until the first; %s" % (
            args.build, ", ".join(slots[k] for k in sorted(slots)), common.machine_load()), flush=True)
        blocks = []
        for m in minutes:
            # Mid-bell, both streams are open: the sinks' blocks are then what they were at the onset.
            time.sleep(max(0, m + 3 - time.time()))
            latency = pulse.configured_latency()
            blocks.append([latency.get(sink, 0.010) for sink in ("vsink", "csink")])
        time.sleep(max(0, minutes[-1] + 20 - time.time()))
        if app.poll() is not None:
            raise RuntimeError("vezozil ended early (status %s)" % app.returncode)
        print("load during the run: %s" % common.machine_load())
        print("melody %s starts with %.1f ms of silence, taken off every onset; sink blocks at the "
              "bells %s ms" % (MELODY, lead_in * 1000,
                               " ".join("%.1f/%.1f" % (a * 1000, b * 1000) for a, b in blocks)))
        onsets = [[None if o is None else o - lead_in for o in
                   (r.onset_after(m, THRESHOLD, b[which]) for m, b in zip(minutes, blocks))]
                  for which, r in enumerate(recorders)]
        ours = report("vezozil", minutes, onsets[0])
        print("vezozil resident memory: peak %.1f MB, now %.1f MB" % (
            common.status_field(app.pid, "VmHWM") / 1024, common.status_field(app.pid, "VmRSS") / 1024))
        if cron:
            theirs = report("cron + paplay", minutes, onsets[1])
            print("median cron + paplay / vezozil: %.0fx" % (theirs / ours if ours > 0 else float("inf")))
        print("recorders: sample counts ran %.1f / %.1f ms ahead of the wall clock over the run "
              "(corrected at each bell)" % tuple(r.drift() * 1000 for r in recorders))
    except Exception:
        log.seek(0)
        sys.stderr.write(log.read()[-4000:])
        raise
    finally:
        if cron:
            cron.stop()
        common.stop(app)
        for r in recorders:
            r.stop()
        pulse.stop()
        log.close()
        shutil.rmtree(folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", nargs="?", default="build")
    parser.add_argument("--bells", type=int, default=5)
    parser.add_argument("--idle-minutes", type=int, default=2)
    parser.add_argument("--no-cron", action="store_true")
    args = parser.parse_args()
    args.build = os.path.abspath(args.build)
    common.end_cleanly_on_signals()
    measure(args)


if __name__ == "__main__":
    main()
