#include "fakes/ControllerRig.h"
#include "fakes/EngineScenario.h"
#include "fakes/RelayWatch.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace EngineScenario;

namespace {

const QStringList Tracks{QStringLiteral("/muzik/a.mp3"), QStringLiteral("/muzik/b.mp3"),
                         QStringLiteral("/muzik/c.mp3")};

// Lesson 1 ends at 09:30 (marked), lesson 2 starts at 09:40 and ends at 10:20.
QHash<int, QString> twoLessons()
{
    return {{student(1), QStringLiteral("08:40")},
            {exitBell(1), QStringLiteral("09:30")},
            {student(2), QStringLiteral("09:40")},
            {exitBell(2), QStringLiteral("10:20")}};
}

void startMusicDay(ControllerRig& rig, const QHash<int, QString>& cells, double trackSeconds = 100)
{
    start(rig, cells);
    musicBreaks(rig, Tracks, trackSeconds);
    rig.model.lessonMusic[0] = true;
}
} // namespace

TEST(Breaks, MusicStartsAfterTheExitMelodyChainsTracksAndStopsAtTheNextBell)
{
    ControllerRig rig;
    startMusicDay(rig, twoLessons());
    RelayWatch watch(rig);
    watch.runUntil(QTime(9, 30, 14));
    EXPECT_TRUE(rig.music.played.isEmpty());
    EXPECT_TRUE(rig.wav.isPlaying());

    watch.tick(); // 09:30:15: the 15-second exit melody has ended
    ASSERT_EQ(rig.music.played.size(), 1);
    EXPECT_TRUE(Tracks.contains(rig.music.played[0]));
    EXPECT_EQ(rig.controller->s.breakActive, 1);
    EXPECT_TRUE(watch.relayOn());

    watch.runUntil(QTime(9, 31, 54));
    EXPECT_EQ(rig.music.played.size(), 1);
    watch.tick(); // 09:31:55: the first track has ended, another is drawn at once
    EXPECT_EQ(rig.music.played.size(), 2);
    EXPECT_TRUE(rig.music.isPlaying());

    watch.runUntil(QTime(9, 39, 59));
    const auto tracksInBreak = rig.music.played.size();
    EXPECT_EQ(tracksInBreak, 6); // 09:30:15 plus one every 100 seconds
    watch.tick();                // 09:40:00: student bell
    EXPECT_FALSE(rig.music.isPlaying());
    EXPECT_EQ(rig.controller->s.breakActive, 0);
    EXPECT_EQ(rig.wav.played.last(), full(rig, StudentWav));
    watch.runUntil(QTime(10, 0, 0));
    EXPECT_EQ(rig.music.played.size(), tracksInBreak);
    EXPECT_FALSE(watch.relayOn());
    EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
}

TEST(Breaks, ATrackThatNeverPlaysIsFollowedByAnotherNextTick)
{
    ControllerRig rig;
    startMusicDay(rig, twoLessons());
    rig.model.musicList = {QStringLiteral("/muzik/yok.mp3")}; // missing: never reaches playing
    RelayWatch watch(rig);
    watch.runUntil(QTime(9, 30, 15));
    EXPECT_EQ(rig.music.played.size(), 1);
    for (int i = 2; i <= 5; ++i) {
        watch.tick();
        EXPECT_EQ(rig.music.played.size(), i);
    }
    EXPECT_EQ(rig.controller->s.minuteHandled, 1);
    watch.runUntil(QTime(9, 41, 0));
    EXPECT_FALSE(watch.relayOn());
    EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
}

TEST(Breaks, StartOnlyWithMusicWantedAndTheLessonMarked)
{
    struct Case
    {
        bool check5;
        bool lesson1Marked;
        bool lesson2Marked;
        bool starts;
    };
    const Case cases[] = {{true, true, false, true},
                          {false, true, true, false},
                          {true, false, true, false},
                          {false, false, false, false}};
    for (const Case& c : cases) {
        ControllerRig rig;
        startMusicDay(rig, twoLessons());
        rig.model.check5 = c.check5;
        rig.model.lessonMusic[0] = c.lesson1Marked;
        rig.model.lessonMusic[1] = c.lesson2Marked;
        RelayWatch watch(rig);
        watch.runUntil(QTime(9, 35, 0));
        EXPECT_EQ(!rig.music.played.isEmpty(), c.starts) << c.check5 << c.lesson1Marked;
        EXPECT_EQ(rig.controller->s.breakActive, c.starts ? 1 : 0);
        EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
    }
}

TEST(Breaks, AMarkedLateLessonUsesItsOwnBox)
{
    // Lesson 15's box is Check6 and sits between Check20 and Check21; the model keeps it by lesson.
    ControllerRig rig;
    start(rig, {{exitBell(15), QStringLiteral("15:30")}});
    musicBreaks(rig, Tracks, 100);
    rig.model.lessonMusic[14] = true;
    rig.clock.set(QDateTime(rig.clock.now().date(), QTime(15, 29, 0)));
    rig.runUntil(QTime(15, 30, 16));
    EXPECT_EQ(rig.music.played.size(), 1);
}

TEST(Breaks, AnEmptyListLeavesTheBreakSilent)
{
    ControllerRig rig;
    startMusicDay(rig, twoLessons());
    rig.model.musicList.clear();
    RelayWatch watch(rig);
    watch.runUntil(QTime(9, 39, 0));
    EXPECT_TRUE(rig.music.played.isEmpty());
    EXPECT_EQ(rig.controller->s.breakActive, 0);
    EXPECT_FALSE(watch.relayOn());
    EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
}

TEST(Breaks, AnExitMelodyRunningPastItsMinuteGivesNoActivity)
{
    ControllerRig rig;
    start(rig, twoLessons(), Lengths{.exit = 65});
    musicBreaks(rig, Tracks, 100);
    rig.model.lessonMusic[0] = true;
    rig.runUntil(QTime(9, 39, 0));
    EXPECT_TRUE(rig.music.played.isEmpty());
}

TEST(Breaks, AnEmptiedListEndsTheBreakWithoutDrawing)
{
    ControllerRig rig;
    startMusicDay(rig, twoLessons());
    RelayWatch watch(rig);
    watch.runUntil(QTime(9, 31, 0));
    ASSERT_EQ(rig.music.played.size(), 1);
    rig.model.musicList.clear(); // the operator deletes every row while the track plays
    watch.runUntil(QTime(9, 31, 54));
    EXPECT_EQ(rig.controller->s.breakActive, 1);
    watch.tick(); // 09:31:55: the track ends
    EXPECT_EQ(rig.controller->s.breakActive, 0);
    EXPECT_EQ(rig.music.played.size(), 1);
    EXPECT_FALSE(watch.relayOn());
    watch.runUntil(QTime(9, 39, 0));
    EXPECT_EQ(rig.music.played.size(), 1);
    EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
}

TEST(Breaks, OperatorStopKeepsLaterBreaksSilentUntilAStudentOrAssemblyBell)
{
    struct Case
    {
        int liftingCell;
        bool lifts;
    };
    // After the stop: teacher 09:35, a marked break at 09:50, then the given bell at 10:00 and a marked
    // break at 10:30.
    for (const Case& c : {Case{student(3), true}, Case{Slots::Assembly1, true}, Case{teacher(3), false}}) {
        ControllerRig rig;
        QHash<int, QString> cells{{exitBell(1), QStringLiteral("09:30")},
                                  {teacher(2), QStringLiteral("09:35")},
                                  {exitBell(2), QStringLiteral("09:50")},
                                  {c.liftingCell, QStringLiteral("10:00")},
                                  {exitBell(3), QStringLiteral("10:30")}};
        startMusicDay(rig, cells);
        rig.model.lessonMusic[1] = rig.model.lessonMusic[2] = true;
        RelayWatch watch(rig);
        watch.runUntil(QTime(9, 31, 0));
        ASSERT_EQ(rig.music.played.size(), 1);
        rig.controller->ceremony.Command13_Click();
        watch.runUntil(QTime(9, 59, 59));
        EXPECT_EQ(rig.music.played.size(), 1) << "music came back before the stop was lifted";
        EXPECT_EQ(rig.controller->s.musicStoppedByOperator, 1);
        watch.runUntil(QTime(10, 31, 0));
        EXPECT_EQ(rig.music.played.size() > 1, c.lifts) << c.liftingCell;
        EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
    }
}

TEST(Breaks, TheProgramStartsOncePerMarkedBreak)
{
    ControllerRig rig;
    start(rig, twoLessons());
    programBreaks(rig, QStringLiteral("/home/okul/radyo.m3u"), QStringLiteral("radyo"));
    rig.model.lessonMusic[0] = rig.model.lessonMusic[1] = true;
    rig.model.grid[student(3)] = QStringLiteral("10:30");
    RelayWatch watch(rig);
    watch.runUntil(QTime(9, 30, 14));
    EXPECT_TRUE(rig.desktop.opened.isEmpty());
    // The student bell at 08:40 and the exit bell at 09:30 end whatever ran before.
    EXPECT_EQ(rig.desktop.killed.size(), 2);
    watch.tick();
    EXPECT_EQ(rig.desktop.opened, QStringList{QStringLiteral("/home/okul/radyo.m3u")});
    EXPECT_EQ(rig.controller->s.breakActive, 1);
    // Held on in every tick of the break, whatever the program does.
    for (int i = 0; i < 30; ++i) {
        watch.tick();
        EXPECT_TRUE(watch.relayOn());
        EXPECT_EQ(rig.controller->s.ampState, 2);
    }
    watch.runUntil(QTime(9, 40, 0));
    EXPECT_EQ(rig.desktop.opened.size(), 1);
    EXPECT_EQ(rig.desktop.killed.size(), 3);
    EXPECT_EQ(rig.desktop.killed.last(), QStringLiteral("radyo"));
    watch.runUntil(QTime(10, 35, 0));
    EXPECT_EQ(rig.desktop.opened.size(), 2);
    EXPECT_EQ(rig.desktop.killed.size(), 5); // 10:20 exit bell, then the 10:30 student bell
    EXPECT_TRUE(rig.music.played.isEmpty());
    EXPECT_FALSE(watch.relayOn());
    EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
}

TEST(Breaks, TheProgramIsKilledByStudentExitAndAssemblyBellsButNotByTheTeacherBell)
{
    struct Case
    {
        int cell;
        bool kills;
    };
    const Case cases[] = {
        {student(2), true}, {exitBell(2), true}, {Slots::Assembly2, true}, {teacher(2), false}};
    for (const Case& c : cases) {
        ControllerRig rig;
        start(rig, {{exitBell(1), QStringLiteral("09:30")}, {c.cell, QStringLiteral("09:38")}});
        programBreaks(rig, QStringLiteral("/opt/radyo/radyo"), QStringLiteral("radyo"));
        rig.model.lessonMusic[0] = true;
        RelayWatch watch(rig);
        watch.runUntil(QTime(9, 37, 59));
        ASSERT_EQ(rig.desktop.opened.size(), 1);
        const auto killedBefore = rig.desktop.killed.size(); // the exit bell's own
        watch.tick();                                        // 09:38:00
        EXPECT_EQ(rig.desktop.killed.size() - killedBefore, c.kills ? 1 : 0) << c.cell;
        EXPECT_EQ(rig.controller->s.breakActive, 0) << c.cell;
        watch.runUntil(QTime(9, 40, 0));
        EXPECT_FALSE(watch.relayOn()) << c.cell;
        EXPECT_EQ(rig.desktop.opened.size(), 1);
        EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
    }
}

TEST(Breaks, ProgramModeWithNothingChosenStillHoldsTheAmplifier)
{
    ControllerRig rig;
    start(rig, twoLessons());
    programBreaks(rig, QString(), QString());
    rig.model.lessonMusic[0] = true;
    RelayWatch watch(rig);
    watch.runUntil(QTime(9, 35, 0));
    EXPECT_TRUE(rig.desktop.opened.isEmpty());
    EXPECT_EQ(rig.controller->s.breakActive, 1);
    EXPECT_TRUE(watch.relayOn());
    watch.runUntil(QTime(9, 41, 0));
    EXPECT_TRUE(rig.desktop.killed.isEmpty());
    EXPECT_FALSE(watch.relayOn());
    EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
}

TEST(Breaks, MusicStartedByHandAfterTheOperatorStopIsNotContinued)
{
    ControllerRig rig;
    start(rig, {});
    musicBreaks(rig, Tracks, 30);
    rig.controller->ceremony.Command13_Click();
    RelayWatch watch(rig);
    watch.tick();
    rig.controller->music.Command22_Click();
    watch.runUntil(QTime(8, 2, 0));
    EXPECT_EQ(rig.music.played.size(), 1);
    EXPECT_EQ(rig.controller->s.breakActive, 1);
    EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
}
