#!/usr/bin/env python3
"""Wall time of `vezozil --simulate`, the whole command as an operator runs it: start-up, reading the
folder, the ticks and the printed lines.

1. One school week (the figure of earlier rounds): a full 17-lesson timetable every day, music after
   every lesson, both announcements, the relay on LPT1.
2. A whole school year, 2026-09-07 to 2027-06-25, of a school as one is: eight 40-minute lessons from
   08:30 with lunch after the fifth, music in the breaks (tracks of 2.5 to 4.5 minutes), both
   announcements, silent weekends, and a takvim.ics with the year's terms and breaks, an exam week on
   a day type of its own, a parents' afternoon, a Saturday school day and an opening ceremony, beside
   the national calendar. Rehearsed in both modes (the events, and --summary), each skipping the
   seconds in which nothing can happen and, as the floor of the same run, with --tick-by-tick (every
   second ticked, as every earlier version did); the outputs must be identical.
3. The week's school (music after every lesson, 10-second tracks all night) over the same year: the
   most events a year can print.

usage: simulate.py [BUILD] [--quick]   (--quick leaves out the tick-by-tick runs of the year)"""
import collections
import os
import shutil
import subprocess
import sys
import time
import wave

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import common  # noqa: E402

# Monday 00:00:00 to Friday 23:59:59 of a fixed week.
WEEK = ("2026-12-07T00:00:00", "2026-12-11T23:59:59")
YEAR = ("2026-09-07T00:00:00", "2027-06-25T23:59:59")

TAKVIM = """BEGIN:VCALENDAR
VERSION:2.0
PRODID:-//Vezo Zil//bench//TR
{events}END:VCALENDAR
"""


def event(uid, summary, start, end, category, extra=""):
    return ("BEGIN:VEVENT\nUID:%s@bench\nDTSTAMP:20260801T000000Z\nSUMMARY:%s\nDTSTART%s\n%sCATEGORIES:%s\n%s"
            "END:VEVENT\n") % (uid, summary, start, ("DTEND%s\n" % end) if end else "", category, extra)


def day(date):
    return ";VALUE=DATE:" + date


def school_year_calendar():
    return TAKVIM.format(events="".join([
        event("donem1", "1. dönem", day("20260907"), day("20270116"), "EGITIM-YILI"),
        event("ara1", "1. dönem ara tatili", day("20261109"), day("20261114"), "TATIL"),
        event("yariyil", "Yarıyıl tatili", day("20270118"), day("20270130"), "TATIL"),
        event("donem2", "2. dönem", day("20270201"), day("20270626"), "EGITIM-YILI"),
        event("ara2", "2. dönem ara tatili", day("20270405"), day("20270410"), "TATIL"),
        event("sinav", "Dönem sonu sınavları", day("20270111"), day("20270116"), "GUN-TURU",
              "X-VEZOZIL-GUN-TURU:Sınav günü\n"),
        event("veli", "Veli toplantısı", ":20261120T130000", ":20261121T000000", "TATIL"),
        event("telafi", "Telafi günü", day("20261219"), day("20261220"), "OKUL-GUNU"),
        event("acilis", "Açılış töreni", ":20260907T082500", "", "TOREN", "X-VEZOZIL-SES:istiklal\n"),
    ]))


def school_day(first=8 * 60 + 30, lessons=8, length=40, brk=10, lunch_after=5, lunch=45):
    slots, t = {}, first
    for lesson in range(lessons):
        slots[3 * lesson], slots[3 * lesson + 1], slots[3 * lesson + 2] = (
            common.hhmm(t - 2), common.hhmm(t), common.hhmm(t + length))
        t += length + (lunch if lesson + 1 == lunch_after else brk)
    slots[51] = common.hhmm(first - 10)
    return slots


def write_silence(path, seconds):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(1)
        w.setframerate(8000)
        w.writeframes(b"\x80" * int(seconds * 8000))


def year_folder(build):
    """The school of the year's runs: weekday timetables, silent weekends, a day type, music and takvim.ics."""
    melodi = common.melodi_lines(announce=1, music_break=1)
    melodi[5] = 1  # Check3: no bells at the weekend
    for line in range(9, 9 + 7):  # music after lessons 1 to 7
        melodi[line] = 1
    folder = common.make_program_folder(build, school_day(), melodi, music=[], port=1)
    for weekend in ("Cumartesi", "Pazar"):
        common.write_lines(os.path.join(folder, "saatler", weekend + ".txt"), ['"XX:XX"'] * common.SLOTS)
    exam = school_day(first=9 * 60 + 30, lessons=4, length=40, brk=20, lunch_after=0)
    os.makedirs(os.path.join(folder, "saatler", "ozel"))
    common.write_lines(os.path.join(folder, "saatler", "ozel", "Sınav günü.txt"),
                       ['"%s"' % exam.get(i, "XX:XX") for i in range(common.SLOTS)])
    tracks = []
    for i in range(8):
        tracks.append(os.path.join(folder, "muzik-%d.wav" % i))
        write_silence(tracks[-1], 150 + 17 * i)
    common.write_lines(os.path.join(folder, "muzikler.txt"), ['"%s"' % t for t in tracks])
    with open(os.path.join(folder, "takvim.ics"), "w", encoding="utf-8") as f:
        f.write(school_year_calendar().replace("\n", "\r\n"))
    return folder


def week_folder(build):
    melodiler = os.path.join(build, "melodiler")
    music = [os.path.join(melodiler, "%d.wav" % i) for i in range(1, 10)]
    return common.make_program_folder(build, common.full_day(),
                                      common.melodi_lines(announce=1, music_break=1, lessons_music=1),
                                      music=music, port=1)


def rehearse(build, folder, span, *flags):
    args = [os.path.join(build, "vezozil"), "--dir", folder, "--simulate", span[0], span[1]] + list(flags)
    start = time.monotonic()
    out = subprocess.run(args, capture_output=True, text=True, check=True).stdout
    return time.monotonic() - start, out


def load():
    return "load %.2f" % os.getloadavg()[0]


def main():
    build = common.build_dir([a for a in sys.argv if not a.startswith("--")])
    quick = "--quick" in sys.argv
    folders = []
    try:
        folders.append(week_folder(build))
        wall, out = rehearse(build, folders[-1], WEEK)
        kinds = collections.Counter(" ".join(line.split()[1:3]) for line in out.splitlines())
        counted = ", ".join("%d %s" % (kinds[k], k) for k in ("wav play", "music play", "relay 888"))
        print("simulated school week (command): %.2f s wall, %.0f simulated seconds/s, %d events (%s); %s"
              % (wall, 5 * 86400 / wall, sum(kinds.values()), counted, load()))

        folders.append(year_folder(build))
        for mode, flags in (("events", ()), ("summary", ("--summary",))):
            wall, out = rehearse(build, folders[-1], YEAR, *flags)
            line = "school year 2026-09-07..2027-06-25, %s: %.2f s wall, %d lines; %s" % (
                mode, wall, len(out.splitlines()), load())
            if not quick:
                floor, every = rehearse(build, folders[-1], YEAR, "--tick-by-tick", *flags)
                line += "; every second ticked (as before): %.2f s, output %s; %s" % (
                    floor, "identical" if every == out else "DIFFERENT", load())
                if every != out:
                    print(line)
                    sys.exit(1)
            print(line)

        wall, out = rehearse(build, folders[0], YEAR)
        print("the week's school over the year (music all night, 10 s tracks), events: %.2f s wall, %d lines; %s"
              % (wall, len(out.splitlines()), load()))
    finally:
        for f in folders:
            shutil.rmtree(f, ignore_errors=True)


if __name__ == "__main__":
    main()
