"""Shared helpers for the benchmarks: a program folder to run on, and process bookkeeping."""
import array
import os
import shutil
import signal
import subprocess
import tempfile
import time
import wave

DAYS = ["Pazartesi", "Salı", "Çarşamba", "Perşembe", "Cuma", "Cumartesi", "Pazar"]
SLOTS = 53


def build_dir(argv):
    return os.path.abspath(argv[1] if len(argv) > 1 else "build")


def full_day(first_minute=8 * 60 + 30):
    """17 lessons of 40 minutes with 10-minute breaks: student bell, teacher bell 2 minutes later, exit
    bell at 40 minutes; the two assembly times before the first lesson. Slot index -> "hh:mm"."""
    slots, t = {}, first_minute
    for lesson in range(17):
        for col, offset in enumerate((0, 2, 40)):
            slots[3 * lesson + col] = hhmm(t + offset)
        t += 50
    slots[51], slots[52] = hhmm(first_minute - 10), hhmm(first_minute - 5)
    return slots


def hhmm(minutes):
    return "%02d:%02d" % (minutes // 60 % 24, minutes % 60)


def make_program_folder(build, slots=None, melodi=None, music=None, kapat=("XX:XX", "XX:XX"),
                        music_at_breaks=True, port=None):
    """A fresh program folder with the build tree's sounds and, for every day, the timetable `slots`
    (slot index -> "hh:mm"; every other slot "XX:XX"). No shutdown time unless one is given: a
    benchmark must never power the machine off."""
    folder = tempfile.mkdtemp(prefix="vezozil-bench-")
    for sub in ("melodiler", "marslar"):
        shutil.copytree(os.path.join(build, sub), os.path.join(folder, sub))
    os.makedirs(os.path.join(folder, "saatler"))
    slots = slots or {}
    for day in DAYS:
        lines = [slots.get(i, "XX:XX") for i in range(SLOTS)]
        write_lines(os.path.join(folder, "saatler", day + ".txt"), ['"%s"' % v for v in lines])
    write_lines(os.path.join(folder, "kapat.txt"), ['"%s"' % kapat[0], '"%s"' % kapat[1]])
    # Line 3: 1 = breaks play the music list, 0 = they start an outside program (none here).
    write_lines(os.path.join(folder, "uygulama.txt"), ['""', '""', "1" if music_at_breaks else "0"])
    # No port.txt: a live benchmark must not switch a real amplifier. A rehearsal touches no device,
    # so the simulation gives LPT1 to see the relay's events.
    if port is not None:
        write_lines(os.path.join(folder, "port.txt"), [str(port)])
    if melodi is not None:
        write_lines(os.path.join(folder, "melodi.txt"), [str(v) for v in melodi])
    if music is not None:
        write_lines(os.path.join(folder, "muzikler.txt"), ['"%s"' % m for m in music])
    return folder


def melodi_lines(student=0, teacher=1, exit_=2, assembly=3, announce=0, music_break=0, lessons_music=0):
    """The 27 lines of melodi.txt: melody list positions (0 = "Melodi 1" = 1.wav) and switches."""
    lines = [student, teacher, exit_, announce, announce, 0, 0, music_break, 100]
    lines += [lessons_music] * 14
    lines += [assembly, lessons_music, lessons_music, lessons_music]
    return lines


def write_lines(path, lines):
    with open(path, "wb") as f:
        for line in lines:
            f.write(line.encode("utf-8") + b"\r\n")


def wav_lead_in(path, threshold):
    """Seconds of near-silence at the start of a 16-bit WAV: the part of a bell that is the file's own,
    not the system's delay."""
    with wave.open(path) as w:
        if w.getsampwidth() != 2:
            return 0.0
        frames = w.readframes(w.getframerate() * 2)
        data = array.array("h", frames)
        for i, v in enumerate(data):
            if v > threshold or v < -threshold:
                return (i // w.getnchannels()) / w.getframerate()
    return 0.0


def end_cleanly_on_signals():
    """SIGTERM, SIGINT and SIGHUP end a benchmark through its clean-up (servers, load, temporary
    folders), even when it was started in the background with SIGINT ignored."""
    def leave(signum, _frame):
        raise SystemExit(128 + signum)
    for sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(sig, leave)


def stop(proc, sig=signal.SIGTERM, timeout=5):
    if proc is None or proc.poll() is not None:
        return
    proc.send_signal(sig)
    try:
        proc.wait(timeout)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


def kill_pid(pid, sig=signal.SIGTERM, timeout=5):
    """Ends a process that is not our child (a daemon), waiting until it has gone."""
    try:
        os.kill(pid, sig)
    except ProcessLookupError:
        return
    deadline = time.time() + timeout
    while time.time() < deadline:
        try:
            os.kill(pid, 0)
        except ProcessLookupError:
            return
        time.sleep(0.05)
    try:
        os.kill(pid, signal.SIGKILL)
    except ProcessLookupError:
        pass


def cpu_seconds(pid):
    """utime + stime of a process (all its threads, ended ones included), in seconds."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    ticks = os.sysconf("SC_CLK_TCK")
    return (int(fields[11]) + int(fields[12])) / ticks


def status_field(pid, name):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith(name + ":"):
                return int(line.split()[1])
    return 0


def thread_counters(pid):
    """Per live thread: (context switches, nanoseconds on a CPU). Finer than /proc/<pid>/stat."""
    counters = {}
    for tid in os.listdir("/proc/%d/task" % pid):
        try:
            switches = 0
            with open("/proc/%d/task/%s/status" % (pid, tid)) as f:
                for line in f:
                    if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                        switches += int(line.split()[1])
            with open("/proc/%d/task/%s/schedstat" % (pid, tid)) as f:
                ns = int(f.read().split()[0])
            counters[tid] = (switches, ns)
        except (FileNotFoundError, ProcessLookupError):
            pass
    return counters


def thread_deltas(before, after):
    """Context switches and CPU seconds between two thread_counters() snapshots, for the threads alive
    at the end (a thread that ended in between is left out), and how many threads ended."""
    switches = ns = 0
    for tid, (s1, n1) in after.items():
        s0, n0 = before.get(tid, (0, 0))
        switches += s1 - s0
        ns += n1 - n0
    return switches, ns / 1e9, len(set(before) - set(after))


def thread_count(pid):
    return len(os.listdir("/proc/%d/task" % pid))


def median(values):
    v = sorted(values)
    n = len(v)
    return (v[n // 2] if n % 2 else (v[n // 2 - 1] + v[n // 2]) / 2) if n else float("nan")


def machine_load():
    """The load average, so a reader can judge figures taken while other jobs ran."""
    with open("/proc/loadavg") as f:
        one, five = f.read().split()[:2]
    return "load average %s (1 min), %s (5 min) on %d cores" % (one, five, os.cpu_count())
