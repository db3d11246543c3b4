#include "schedule/DaySchedule.h"
#include "sim/SimulateCommand.h"
#include "sim/Simulation.h"
#include "support/SchoolFolder.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {
const QDate Monday(2026, 12, 7);
const QDate Saturday(2026, 12, 12);

// Rehearses a program folder written as a school's would be, in this process.
struct Rehearsal : SchoolFolder
{
    Rehearsal() { Simulation::holdTimeZone(); } // as the command does

    // The lines printed from `from` to `until`.
    QStringList run(const QDateTime& from, const QDateTime& until) const
    {
        QString output;
        QTextStream out(&output);
        Simulation sim(path(), from, out);
        if (sim.start())
            sim.runUntil(until);
        out.flush();
        return output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    QStringList run(const QDate& date, const QTime& from, const QTime& until) const
    {
        return run(QDateTime(date, from), QDateTime(date, until));
    }
};

// Expected lines written "hh:mm:ss event", on one date.
QStringList on(const QDate& date, const QStringList& lines)
{
    QStringList full;
    for (const QString& l : lines)
        full << date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('T') + l;
    return full;
}

constexpr int Lesson1Student = 0, Lesson1Exit = 2, Lesson2Student = 3, Lesson2Teacher = 4, Lesson3Student = 6;
} // namespace

TEST(SimulateDay, BellSwitchesTheAmplifierAroundItsMelody)
{
    Rehearsal r;
    r.melodi({});
    r.port(1);
    r.day(QStringLiteral("Pazartesi"), {{Lesson1Student, QStringLiteral("08:40")}});
    r.sound(QStringLiteral("melodiler/1.wav"), 3.0);
    const QStringList lines = r.run(Monday, QTime(8, 39, 0), QTime(8, 41, 0));
    EXPECT_EQ(lines, on(Monday,
                        {"08:39:00 day Pazartesi", "08:39:00 relay 888 off", "08:40:00 relay 888 on",
                         "08:40:00 wav play melodiler/1.wav", "08:40:03 wav end", "08:40:03 relay 888 off"}));
}

TEST(SimulateDay, WarmUpSwitchesTheAmplifierOnAheadOfTheBellAndOnlyForABellThatRings)
{
    Rehearsal r;
    r.melodi({});
    r.port(1);
    r.writeBytes(QStringLiteral("ayarlar.ini"), "[Amfi]\nIsinmaSuresi=2\n");
    r.day(QStringLiteral("Pazartesi"), {{Lesson1Student, QStringLiteral("08:40")}});
    r.sound(QStringLiteral("melodiler/1.wav"), 3.0);
    EXPECT_EQ(
        r.run(Monday, QTime(8, 39, 0), QTime(8, 41, 0)),
        on(Monday, {"08:39:00 day Pazartesi", "08:39:00 relay 888 off", "08:39:58 relay 888 on",
                    "08:40:00 wav play melodiler/1.wav", "08:40:03 wav end", "08:40:03 relay 888 off"}));
}

TEST(SimulateDay, RelayOtherThanLptIsNamedByKindDeviceAndChannel)
{
    Rehearsal r;
    r.melodi({});
    r.writeBytes(QStringLiteral("ayarlar.ini"), "[Role]\nTur=usb-seri\nAygit=/dev/ttyUSB0\nKanal=1\n");
    r.day(QStringLiteral("Pazartesi"), {{Lesson1Student, QStringLiteral("08:40")}});
    r.sound(QStringLiteral("melodiler/1.wav"), 3.0);
    const QStringList lines = r.run(Monday, QTime(8, 39, 0), QTime(8, 41, 0));
    // No "port.txt": a USB relay needs no LPT port.
    EXPECT_EQ(lines,
              on(Monday, {"08:39:00 day Pazartesi", "08:39:00 relay usb-seri:/dev/ttyUSB0#1 off",
                          "08:40:00 relay usb-seri:/dev/ttyUSB0#1 on", "08:40:00 wav play melodiler/1.wav",
                          "08:40:03 wav end", "08:40:03 relay usb-seri:/dev/ttyUSB0#1 off"}));
}

TEST(SimulateDay, FolderWithoutSettingsFilesPlaysMelodyZero)
{
    Rehearsal r;
    r.day(QStringLiteral("Pazartesi"), {{Lesson1Student, QStringLiteral("08:40")}});
    r.sound(QStringLiteral("melodiler/0.wav"), 1.5);
    QString output;
    QTextStream out(&output);
    ASSERT_EQ(runSimulateCommand({QStringLiteral("vezozil"), QStringLiteral("--dir"), r.path(),
                                  QStringLiteral("--simulate"), QStringLiteral("2026-12-07T08:39:59"),
                                  QStringLiteral("2026-12-07T08:45:00")},
                                 out),
              0);
    EXPECT_EQ(output, QStringLiteral("2026-12-07T08:39:59 day Pazartesi\n"
                                     "2026-12-07T08:40:00 wav play melodiler/0.wav\n"
                                     "2026-12-07T08:40:02 wav end\n"));
}

TEST(SimulateDay, MelodyStoredAsNoneChosenPlaysMelodyZero)
{
    Rehearsal r;
    r.melodi({.student = 0});
    r.day(QStringLiteral("Pazartesi"), {{Lesson1Student, QStringLiteral("08:40")}});
    r.sound(QStringLiteral("melodiler/0.wav"), 1.0);
    EXPECT_EQ(
        r.run(Monday, QTime(8, 39, 59), QTime(8, 40, 5)),
        on(Monday, {"08:39:59 day Pazartesi", "08:40:00 wav play melodiler/0.wav", "08:40:01 wav end"}));
}

TEST(SimulateDay, NewBellCutsOffAMelodyStillPlaying)
{
    Rehearsal r;
    r.melodi({});
    r.day(QStringLiteral("Pazartesi"),
          {{Lesson1Student, QStringLiteral("08:40")}, {Lesson1Exit, QStringLiteral("08:41")}});
    r.sound(QStringLiteral("melodiler/1.wav"), 70.0);
    r.sound(QStringLiteral("melodiler/3.wav"), 1.0);
    const QStringList lines = r.run(Monday, QTime(8, 39, 0), QTime(8, 42, 0));
    EXPECT_EQ(lines,
              on(Monday, {"08:39:00 day Pazartesi", "08:40:00 wav play melodiler/1.wav", "08:41:00 wav stop",
                          "08:41:00 wav play melodiler/3.wav", "08:41:01 wav end"}));
}

TEST(SimulateDay, UnplayableMelodiesFailAndTheAmplifierGoesOffAtTheNextTick)
{
    Rehearsal r;
    r.melodi({}); // 1.wav does not exist, 3.wav is no WAV file
    r.port(2);
    r.day(QStringLiteral("Pazartesi"),
          {{Lesson1Student, QStringLiteral("08:40")}, {Lesson1Exit, QStringLiteral("08:41")}});
    r.writeBytes(QStringLiteral("melodiler/3.wav"), "not a sound");
    const QStringList lines = r.run(Monday, QTime(8, 39, 0), QTime(8, 42, 0));
    // The bell switches the amplifier on before it plays, and the next tick off when nothing plays.
    EXPECT_EQ(lines, on(Monday, {"08:39:00 day Pazartesi", "08:39:00 relay 632 off", "08:40:00 relay 632 on",
                                 "08:40:00 wav fail melodiler/1.wav", "08:40:01 relay 632 off",
                                 "08:41:00 relay 632 on", "08:41:00 wav fail melodiler/3.wav",
                                 "08:41:01 relay 632 off"}));
}

TEST(SimulateDay, AnnouncementFollowsTheStudentBellInItsMinute)
{
    Rehearsal r;
    r.melodi({.announceStudent = true});
    r.day(QStringLiteral("Pazartesi"), {{Lesson1Student, QStringLiteral("08:40")}});
    r.sound(QStringLiteral("melodiler/1.wav"), 2.0);
    r.sound(QStringLiteral("melodiler/anons1.wav"), 4.0);
    const QStringList lines = r.run(Monday, QTime(8, 39, 59), QTime(8, 41, 0));
    EXPECT_EQ(lines,
              on(Monday, {"08:39:59 day Pazartesi", "08:40:00 wav play melodiler/1.wav", "08:40:02 wav end",
                          "08:40:02 wav play melodiler/anons1.wav", "08:40:06 wav end"}));
}

TEST(SimulateDay, MidnightLoadsTheNextDay)
{
    Rehearsal r;
    r.day(QStringLiteral("Pazartesi"), {});
    r.day(QStringLiteral("Salı"), {});
    const QStringList lines =
        r.run(QDateTime(Monday, QTime(23, 59, 58)), QDateTime(Monday.addDays(1), QTime(0, 0, 2)));
    EXPECT_EQ(lines, QStringList({"2026-12-07T23:59:58 day Pazartesi", "2026-12-08T00:00:00 day Salı"}));
}

TEST(SimulateDay, MarkedBreakPlaysMusicTrackAfterTrackUntilTheNextBell)
{
    Rehearsal r;
    r.melodi({.breakMusic = true, .musicLessons = {1}}); // "Tenefüste müzik çalsın", lesson 1's break
    r.uygulama(QString(), QString(), 1);                 // "Hayır": music, not a program
    r.day(QStringLiteral("Pazartesi"),
          {{Lesson1Exit, QStringLiteral("09:30")}, {Lesson2Student, QStringLiteral("09:31")}});
    r.sound(QStringLiteral("melodiler/1.wav"), 1.0);
    r.sound(QStringLiteral("melodiler/3.wav"), 2.0);
    const QString track = r.sound(QStringLiteral("muzik/parca.wav"), 20.0);
    r.muzikler({track});
    const QStringList lines = r.run(Monday, QTime(9, 29, 59), QTime(9, 32, 0));
    const QString play = QStringLiteral("music play ") + track;
    EXPECT_EQ(lines,
              on(Monday, {"09:29:59 day Pazartesi", "09:30:00 wav play melodiler/3.wav", "09:30:02 wav end",
                          "09:30:02 " + play, "09:30:22 music end", "09:30:22 " + play, "09:30:42 music end",
                          "09:30:42 " + play, "09:31:00 music stop", "09:31:00 wav play melodiler/1.wav",
                          "09:31:01 wav end"}));
}

TEST(SimulateDay, UnplayableMusicIsTriedAgainEverySecond)
{
    Rehearsal r;
    r.melodi({.breakMusic = true, .musicLessons = {1}});
    r.uygulama(QString(), QString(), 1);
    r.day(QStringLiteral("Pazartesi"), {{Lesson1Exit, QStringLiteral("09:30")}});
    r.sound(QStringLiteral("melodiler/3.wav"), 1.0);
    const QString missing = r.filePath(QStringLiteral("muzik/yok.mp3"));
    r.muzikler({missing});
    const QStringList lines = r.run(Monday, QTime(9, 29, 59), QTime(9, 30, 3));
    const QString fail = QStringLiteral("music fail ") + missing;
    EXPECT_EQ(lines,
              on(Monday, {"09:29:59 day Pazartesi", "09:30:00 wav play melodiler/3.wav", "09:30:01 wav end",
                          "09:30:01 " + fail, "09:30:02 " + fail, "09:30:03 " + fail}));
}

TEST(SimulateDay, ProgramModeOpensTheProgramAndEndsItAtTheStudentBell)
{
    Rehearsal r;
    r.melodi({.breakMusic = true, .musicLessons = {1}});
    r.uygulama(QStringLiteral("/opt/radyo/liste.m3u"), QStringLiteral("radyo.exe"), 0);
    r.day(QStringLiteral("Pazartesi"), {{Lesson1Exit, QStringLiteral("09:30")},
                                        {Lesson2Teacher, QStringLiteral("09:31")},
                                        {Lesson3Student, QStringLiteral("09:32")}});
    r.sound(QStringLiteral("melodiler/1.wav"), 1.0);
    r.sound(QStringLiteral("melodiler/2.wav"), 1.0);
    r.sound(QStringLiteral("melodiler/3.wav"), 2.0);
    const QStringList lines = r.run(Monday, QTime(9, 29, 59), QTime(9, 33, 0));
    // The teacher bell leaves the program running.
    EXPECT_EQ(lines, on(Monday, {"09:29:59 day Pazartesi", "09:30:00 kill radyo.exe",
                                 "09:30:00 wav play melodiler/3.wav", "09:30:02 wav end",
                                 "09:30:02 open /opt/radyo/liste.m3u", "09:31:00 wav play melodiler/2.wav",
                                 "09:31:01 wav end", "09:32:00 kill radyo.exe",
                                 "09:32:00 wav play melodiler/1.wav", "09:32:01 wav end"}));
}

TEST(SimulateDay, StoredShutdownTimeShutsDownOnce)
{
    Rehearsal r;
    r.kapat(QStringLiteral("16:30"), QStringLiteral("18:00"));
    r.day(QStringLiteral("Pazartesi"), {});
    const QStringList lines = r.run(Monday, QTime(16, 29, 58), QTime(17, 1, 0));
    EXPECT_EQ(lines, on(Monday, {"16:29:58 day Pazartesi", "16:30:00 shutdown"}));
}

TEST(SimulateDay, WithoutKapatFileTheWeekdayShutdownIsAtFive)
{
    Rehearsal r;
    r.day(QStringLiteral("Pazartesi"), {});
    const QStringList lines = r.run(Monday, QTime(16, 59, 58), QTime(17, 1, 0));
    EXPECT_EQ(lines, on(Monday, {"16:59:58 day Pazartesi", "17:00:00 shutdown"}));
}

TEST(SimulateDay, WeekendCloseQuitsAndEndsTheRehearsal)
{
    Rehearsal r;
    r.melodi({.weekendClose = true}); // "Haftasonu programı kapat"
    r.writeLines(QStringLiteral("port.txt"), {QStringLiteral("0"), QStringLiteral("0")});
    r.day(QStringLiteral("Cumartesi"), {{Lesson1Student, QStringLiteral("10:00")}});
    r.sound(QStringLiteral("melodiler/1.wav"), 1.0);
    const auto before = r.snapshot();
    QString output;
    QTextStream out(&output);
    Simulation sim(r.path(), QDateTime(Saturday, QTime(9, 59, 58)), out);
    ASSERT_TRUE(sim.start());
    sim.runUntil(QDateTime(Saturday, QTime(10, 30, 0)));
    out.flush();
    EXPECT_EQ(output, QStringLiteral("2026-12-12T09:59:58 day Cumartesi\n2026-12-12T09:59:59 quit\n"));
    EXPECT_TRUE(sim.ended());
    EXPECT_EQ(sim.ticks(), 1);
    EXPECT_EQ(r.changedSince(before), QStringList()) << "the unload of a rehearsal saves nothing";
}

TEST(SimulateDay, WholeSchoolDayRingsEveryBellOnceWithTheAmplifierAroundIt)
{
    Rehearsal r;
    r.melodi({});
    r.port(3);
    QHash<int, QString> slots;
    constexpr int Lessons = 8;
    for (int lesson = 1; lesson <= Lessons; ++lesson) {
        const QTime start = QTime(8, 40).addSecs(50 * 60 * (lesson - 1));
        slots[Slots::lessonSlot(lesson, Slots::Column::Student)] = start.toString(QStringLiteral("HH:mm"));
        slots[Slots::lessonSlot(lesson, Slots::Column::Teacher)] =
            start.addSecs(120).toString(QStringLiteral("HH:mm"));
        slots[Slots::lessonSlot(lesson, Slots::Column::Exit)] =
            start.addSecs(2400).toString(QStringLiteral("HH:mm"));
    }
    r.day(QStringLiteral("Pazartesi"), slots);
    for (const char* melody : {"melodiler/1.wav", "melodiler/2.wav", "melodiler/3.wav"})
        r.sound(QString::fromLatin1(melody), 5.0);
    const QStringList lines = r.run(Monday, QTime(0, 0, 0), QTime(23, 59, 59));
    auto count = [&](const QString& event) {
        return std::count_if(lines.begin(), lines.end(),
                             [&](const QString& l) { return l.mid(20) == event; });
    };
    EXPECT_EQ(count(QStringLiteral("day Pazartesi")), 1);
    EXPECT_EQ(count(QStringLiteral("wav play melodiler/1.wav")), Lessons);
    EXPECT_EQ(count(QStringLiteral("wav play melodiler/2.wav")), Lessons);
    EXPECT_EQ(count(QStringLiteral("wav play melodiler/3.wav")), Lessons);
    EXPECT_EQ(count(QStringLiteral("wav end")), 3 * Lessons);
    EXPECT_EQ(count(QStringLiteral("relay 956 on")), 3 * Lessons);
    EXPECT_EQ(count(QStringLiteral("relay 956 off")), 3 * Lessons + 1); // and the reset at start-up
    EXPECT_EQ(count(QStringLiteral("shutdown")), 1);
    EXPECT_TRUE(lines.contains(QStringLiteral("2026-12-07T17:00:00 shutdown")));
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end(),
                               [](const QString& a, const QString& b) { return a.left(19) < b.left(19); }));
    // Each bell: on as the melody starts, off when it has ended five seconds in.
    const qsizetype first = lines.indexOf(QStringLiteral("2026-12-07T08:40:00 relay 956 on"));
    ASSERT_GE(first, 0);
    EXPECT_EQ(lines.mid(first, 4), on(Monday, {"08:40:00 relay 956 on", "08:40:00 wav play melodiler/1.wav",
                                               "08:40:05 wav end", "08:40:05 relay 956 off"}));
}
