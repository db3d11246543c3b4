#include "fakes/ControllerRig.h"
#include "fakes/EngineScenario.h"
#include "fakes/RelayWatch.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace EngineScenario;

namespace {

// Index of the first play of `relative` in the player's history, or -1.
qsizetype playIndex(ControllerRig& rig, const QString& relative)
{
    return rig.wav.played.indexOf(full(rig, relative));
}
} // namespace

TEST(Bells, RingAtTheMinuteAndNothingMoreInIt)
{
    ControllerRig rig;
    start(rig, {{student(1), QStringLiteral("08:40")}});
    RelayWatch watch(rig);
    watch.runUntil(QTime(8, 39, 59));
    EXPECT_TRUE(rig.wav.played.isEmpty());

    watch.tick(); // 08:40:00
    EXPECT_EQ(rig.wav.played, QStringList{full(rig, StudentWav)});
    EXPECT_EQ(rig.model.text1, QStringLiteral("08:40"));
    EXPECT_EQ(rig.controller->s.minuteHandled, 1);
    EXPECT_TRUE(watch.relayOn()); // switched on before the first note

    watch.tick();
    EXPECT_TRUE(watch.relayOn());
    watch.runUntil(QTime(8, 40, 59));
    EXPECT_EQ(rig.wav.played.size(), 1);
    EXPECT_EQ(rig.controller->s.minuteHandled, 1);

    watch.tick(); // 08:41:00
    EXPECT_EQ(rig.controller->s.minuteHandled, 0);
    watch.runUntil(QTime(8, 45, 0));
    EXPECT_EQ(rig.wav.played.size(), 1);
    EXPECT_FALSE(watch.relayOn());
    EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
}

TEST(Bells, AnnouncementFollowsAMelodyThatEndsWithinTheMinute)
{
    struct Case
    {
        double melodySeconds;
        bool announced;
    };
    for (const Case& c : {Case{20, true}, Case{58, true}, Case{60, false}, Case{70, false}}) {
        ControllerRig rig;
        start(rig, {{student(1), QStringLiteral("08:40")}}, Lengths{.student = c.melodySeconds});
        rig.model.check1 = true;
        RelayWatch watch(rig);
        const QTime melodyEnd = QTime(8, 40, 0).addSecs(int(c.melodySeconds));
        watch.runUntil(melodyEnd.addSecs(-1));
        EXPECT_EQ(rig.wav.played.size(), 1);
        watch.runUntil(QTime(8, 43, 0));
        if (c.announced) {
            EXPECT_EQ(rig.wav.played, (QStringList{full(rig, StudentWav), full(rig, Anons1)}));
            // Started by the first tick after the melody.
            EXPECT_EQ(rig.controller->s.announcementPending, 0);
        } else {
            EXPECT_EQ(rig.wav.played, QStringList{full(rig, StudentWav)}) << c.melodySeconds;
            EXPECT_EQ(rig.controller->s.announcementPending, 1);
        }
        EXPECT_FALSE(watch.relayOn());
        EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
    }
}

TEST(Bells, AnnouncementStartsInTheFirstTickAfterTheMelody)
{
    ControllerRig rig;
    start(rig, {{student(1), QStringLiteral("08:40")}});
    rig.model.check1 = true;
    rig.runUntil(QTime(8, 40, 19));
    EXPECT_EQ(rig.wav.played.size(), 1);
    const auto writesBefore = rig.port.writes.size();
    rig.tick(); // 08:40:20, the melody has just ended
    EXPECT_EQ(rig.wav.played.size(), 2);
    EXPECT_EQ(rig.wav.played.last(), full(rig, Anons1));
    // On through the gap: never switched off between the melody and its announcement.
    EXPECT_TRUE(std::all_of(rig.port.writes.begin() + writesBefore, rig.port.writes.end(),
                            [](const auto& w) { return w.second == 1; }));
    EXPECT_EQ(rig.port.lastValue(), 1);
}

TEST(Bells, TheLastMatchingKindPlaysAndEveryKindActs)
{
    enum Kind { S = 1, T = 2, E = 4, A = 8 };
    struct Case
    {
        int kinds;
        QString melody;
        int pending;
    };
    const Case cases[] = {
        {S, StudentWav, 1},  {T, TeacherWav, 1},      {E, ExitWav, 0},
        {A, AssemblyWav, 0}, {S | T, TeacherWav, 1},  {S | E, ExitWav, 0},
        {T | E, ExitWav, 0}, {T | A, AssemblyWav, 0}, {S | T | E | A, AssemblyWav, 0},
    };
    for (const Case& c : cases) {
        ControllerRig rig;
        QHash<int, QString> cells;
        const QString t = QStringLiteral("09:00");
        if (c.kinds & S)
            cells.insert(student(3), t);
        if (c.kinds & T)
            cells.insert(teacher(5), t);
        if (c.kinds & E)
            cells.insert(exitBell(17), t);
        if (c.kinds & A)
            cells.insert(Slots::Assembly1, t);
        start(rig, cells, Lengths{.student = 70, .teacher = 70, .exit = 70, .assembly = 70});
        rig.controller->s.musicStoppedByOperator = 1;
        rig.runUntil(QTime(9, 0, 0));
        EXPECT_EQ(rig.wav.played, QStringList{full(rig, c.melody)}) << c.kinds;
        EXPECT_EQ(rig.controller->s.announcementPending, c.pending) << c.kinds;
        EXPECT_GE(rig.music.stops, 1) << c.kinds;
        // Only a student or an assembly bell lifts the operator's stop.
        EXPECT_EQ(rig.controller->s.musicStoppedByOperator, (c.kinds & (S | A)) ? 0 : 1) << c.kinds;
    }
}

TEST(Bells, StudentAndTeacherInOneMinuteAnnounceOnlyTheStudentText)
{
    struct Case
    {
        bool check1, check2;
        const QString* announcement;
    };
    const Case cases[] = {
        {true, false, &Anons1}, {false, true, &Anons2}, {true, true, &Anons1}, {false, false, nullptr}};
    for (const Case& c : cases) {
        ControllerRig rig;
        start(rig, {{student(2), QStringLiteral("09:40")}, {teacher(1), QStringLiteral("09:40")}});
        rig.model.check1 = c.check1;
        rig.model.check2 = c.check2;
        RelayWatch watch(rig);
        watch.runUntil(QTime(9, 40, 0));
        EXPECT_EQ(rig.wav.played, QStringList{full(rig, TeacherWav)});
        EXPECT_EQ(rig.controller->s.announcementPending, 1);
        watch.runUntil(QTime(9, 42, 0));
        QStringList expected{full(rig, TeacherWav)};
        if (c.announcement)
            expected << full(rig, *c.announcement);
        EXPECT_EQ(rig.wav.played, expected) << c.check1 << c.check2;
        EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
    }
}

TEST(Bells, ExitAndAssemblyBellsNeverAnnounce)
{
    for (const int cell : {exitBell(1), exitBell(17), Slots::Assembly1, Slots::Assembly2}) {
        ControllerRig rig;
        start(rig, {{cell, QStringLiteral("09:30")}});
        rig.model.check1 = rig.model.check2 = true;
        rig.runUntil(QTime(9, 32, 0));
        EXPECT_EQ(rig.wav.played.size(), 1) << cell;
        EXPECT_EQ(playIndex(rig, Anons1), -1);
        EXPECT_EQ(playIndex(rig, Anons2), -1);
    }
}

TEST(Bells, CellsThatAreNotExactTimesNeverRing)
{
    const char* texts[] = {"8:40", "08.40", "XX:XX", "08:40 ", "", "08:4"};
    for (const char* text : texts) {
        ControllerRig rig;
        start(rig, {{student(1), QString::fromLatin1(text)}});
        rig.model.grid[student(1)] =
            QString::fromLatin1(text); // even when the box holds more than a file line
        rig.runUntil(QTime(8, 42, 0));
        EXPECT_TRUE(rig.wav.played.isEmpty()) << text;
        EXPECT_TRUE(rig.model.text1.isEmpty()) << text;
    }
}

TEST(Bells, ATimeStandingTwiceRingsOnce)
{
    ControllerRig rig;
    start(rig, {{student(1), QStringLiteral("08:40")}, {student(4), QStringLiteral("08:40")}});
    rig.runUntil(QTime(8, 42, 0));
    EXPECT_EQ(rig.wav.played.size(), 1);
}

TEST(Bells, NothingHappensWhileTheBellsAreOff)
{
    ControllerRig rig;
    start(rig, {{student(1), QStringLiteral("08:40")}, {exitBell(1), QStringLiteral("09:30")}});
    musicBreaks(rig, {QStringLiteral("/m/a.mp3")}, 300);
    rig.model.lessonMusic[0] = true;
    rig.model.check1 = true;
    rig.controller->s.bellsOff = 1;
    RelayWatch watch(rig);
    watch.runUntil(QTime(9, 35, 0));
    EXPECT_TRUE(rig.wav.played.isEmpty());
    EXPECT_TRUE(rig.music.played.isEmpty());
    EXPECT_TRUE(rig.model.text1.isEmpty());
    EXPECT_EQ(rig.controller->s.minuteHandled, 0);
    EXPECT_FALSE(watch.relayOn());
    EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
}

TEST(Bells, BellsOffAlsoHoldTheGuardUntilTheyAreOnAgain)
{
    ControllerRig rig;
    start(rig, {{student(1), QStringLiteral("08:40")}});
    rig.runUntil(QTime(8, 40, 30));
    rig.controller->s.bellsOff = 1;
    rig.runUntil(QTime(8, 42, 0));
    EXPECT_EQ(rig.controller->s.minuteHandled, 1);
    rig.controller->s.bellsOff = 0;
    rig.tick();
    EXPECT_EQ(rig.controller->s.minuteHandled, 0);
}

TEST(Bells, ABellCutsOffACeremonySound)
{
    ControllerRig rig;
    start(rig, {{student(1), QStringLiteral("08:40")}});
    rig.setSoundLength(QStringLiteral("\\marslar\\istiklal.wav"), 120);
    RelayWatch watch(rig);
    watch.runUntil(QTime(8, 39, 30));
    rig.controller->ceremony.Command6_Click();
    watch.runUntil(QTime(8, 40, 0));
    EXPECT_EQ(rig.wav.cutOff, 1);
    EXPECT_EQ(rig.wav.played.last(), full(rig, StudentWav));
    watch.runUntil(QTime(8, 41, 0));
    EXPECT_FALSE(watch.relayOn());
    EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
}

TEST(Bells, AMissingMelodyIsNotRetriedAndLeavesTheAmplifierOff)
{
    ControllerRig rig;
    start(rig, {{student(1), QStringLiteral("08:40")}});
    rig.wav.lengths.clear();
    RelayWatch watch(rig);
    watch.runUntil(QTime(8, 41, 30));
    EXPECT_EQ(rig.wav.played, QStringList{full(rig, StudentWav)});
    EXPECT_EQ(rig.model.text1, QStringLiteral("08:40"));
    EXPECT_FALSE(watch.relayOn());
    EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
}

TEST(Bells, ABellStopsTheMusicTheOperatorStartedByHand)
{
    ControllerRig rig;
    start(rig, {{teacher(1), QStringLiteral("08:50")}});
    musicBreaks(rig, {QStringLiteral("/m/a.mp3")}, 600);
    RelayWatch watch(rig);
    watch.runUntil(QTime(8, 45, 0));
    rig.controller->music.Command22_Click();
    watch.runUntil(QTime(8, 50, 0));
    EXPECT_FALSE(rig.music.isPlaying());
    EXPECT_EQ(rig.controller->s.breakActive, 0);
    watch.runUntil(QTime(8, 52, 0));
    EXPECT_EQ(rig.music.played.size(), 1);
    EXPECT_FALSE(watch.relayOn());
    EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
}
