#include "fakes/ControllerRig.h"
#include "fakes/EngineScenario.h"
#include "fakes/RelayWatch.h"
#include "support/LogCapture.h"
#include "support/TestSupport.h"

#include "engine/TickScheduler.h"

#include <gtest/gtest.h>

using namespace EngineScenario;

namespace {
const QDate Sunday(2026, 12, 6);
const QDate Monday(2026, 12, 7);

QHash<int, QString> fullDay(const QString& firstStudentBell)
{
    QHash<int, QString> cells;
    cells.insert(student(1), firstStudentBell);
    return cells;
}
} // namespace

TEST(Tick, DateAndClockCaptionsAreTurkish)
{
    struct Case
    {
        QDateTime at;
        const char* date;
        const char* clock;
    };
    const Case cases[] = {
        {QDateTime(Monday, QTime(10, 0, 0)), "07 Aralık 2026  Pazartesi", "10:00:00"},
        {QDateTime(QDate(2027, 1, 1), QTime(0, 0, 0)), "01 Ocak 2027  Cuma", "00:00:00"},
        {QDateTime(QDate(2028, 2, 29), QTime(23, 59, 59)), "29 Şubat 2028  Salı", "23:59:59"},
        {QDateTime(QDate(2026, 8, 15), QTime(7, 5, 9)), "15 Ağustos 2026  Cumartesi", "07:05:09"},
        {QDateTime(QDate(2026, 9, 30), QTime(13, 30, 0)), "30 Eylül 2026  Çarşamba", "13:30:00"},
        {QDateTime(QDate(2026, 11, 10), QTime(9, 5, 0)), "10 Kasım 2026  Salı", "09:05:00"},
    };
    for (const Case& c : cases) {
        ControllerRig rig(c.at.addSecs(-1));
        ASSERT_TRUE(rig.load());
        rig.tick();
        EXPECT_EQ(rig.model.frame1Caption, QString::fromUtf8(c.date));
        EXPECT_EQ(rig.model.label1Caption, QString::fromUtf8(c.clock));
        EXPECT_EQ(rig.controller->s.currentMinute, QString::fromUtf8(c.clock).left(5));
    }
}

TEST(Tick, MidnightLoadsTheNewDayInTheSameTickAndSwitchesTheBellsOn)
{
    ControllerRig rig(QDateTime(Sunday, QTime(23, 59, 50)));
    rig.writeDay(QStringLiteral("Pazar"), fullDay(QStringLiteral("10:00")));
    rig.writeDay(QStringLiteral("Pazartesi"), fullDay(QStringLiteral("08:40")));
    ASSERT_TRUE(rig.load());
    ControllerState& s = rig.controller->s;
    EXPECT_EQ(s.loadedDayName, QStringLiteral("Pazar"));
    EXPECT_EQ(rig.model.grid[student(1)], QStringLiteral("10:00"));

    s.bellsOff = 1; // switched off by the operator in the evening
    rig.runUntil(QTime(23, 59, 59));
    EXPECT_EQ(rig.model.label7.caption, Texts::BellsOff);
    EXPECT_EQ(rig.model.label22Caption, QStringLiteral("1"));

    rig.tick(); // 00:00:00
    EXPECT_EQ(rig.model.label1Caption, QStringLiteral("00:00:00"));
    EXPECT_EQ(s.todayName, QStringLiteral("Pazartesi"));
    EXPECT_EQ(s.loadedDayName, QStringLiteral("Pazartesi"));
    EXPECT_EQ(rig.model.grid[student(1)], QStringLiteral("08:40"));
    EXPECT_EQ(s.bellsOff, 0);
    EXPECT_EQ(rig.model.label22Caption, QStringLiteral("0"));
    // The indicator was drawn before the day changed: it follows one tick later.
    EXPECT_EQ(rig.model.label7.caption, Texts::BellsOff);
    EXPECT_EQ(rig.model.label7.colour, Colours::LightRed);

    rig.tick();
    EXPECT_EQ(rig.model.label7.caption, Texts::BellsOn);
    EXPECT_EQ(rig.model.label7.colour, Colours::Green);
}

TEST(Tick, TheFirstTickAfterStartUpDoesNotReload)
{
    ControllerRig rig(QDateTime(Monday, QTime(8, 0, 0)));
    rig.writeDay(QStringLiteral("Pazartesi"), fullDay(QStringLiteral("08:40")));
    ASSERT_TRUE(rig.load());
    int loads = 0;
    QObject::connect(rig.controller.get(), &Controller::dayLoaded, [&loads] { ++loads; });
    rig.controller->s.bellsOff = 1;
    rig.tick();
    EXPECT_EQ(loads, 0);
    EXPECT_EQ(rig.controller->s.bellsOff, 1);
}

TEST(Tick, Label22ShowsBellsOff)
{
    for (int bellsOff : {0, 1}) {
        ControllerRig rig;
        ASSERT_TRUE(rig.load());
        rig.controller->s.bellsOff = bellsOff;
        rig.tick();
        EXPECT_EQ(rig.model.label22Caption, QString::number(bellsOff));
        EXPECT_EQ(rig.model.label7.caption, bellsOff ? Texts::BellsOff : Texts::BellsOn);
    }
}

TEST(Tick, ShortFileAtStartUpEmptiesTheBoxesItDoesNotReach)
{
    ControllerRig rig(QDateTime(Monday, QTime(9, 39, 0)));
    // Three lines only; the window's design-time grid holds a sample day with 09:40 in slot 4.
    rig.writeFile(QStringLiteral("saatler/Pazartesi.txt"), "\"08:00\"\r\n\"08:10\"\r\n\"08:20\"\r\n");
    ASSERT_EQ(rig.model.grid[4], QStringLiteral("09:40"));
    ASSERT_TRUE(rig.load());
    EXPECT_EQ(rig.model.grid[0], QStringLiteral("08:00"));
    EXPECT_EQ(rig.model.grid[2], QStringLiteral("08:20"));
    for (int i = 3; i < Slots::Count; ++i)
        EXPECT_TRUE(rig.model.grid[i].isEmpty()) << "slot " << i;
    rig.setSoundLength(QStringLiteral("\\melodiler\\0.wav"), 5);
    rig.runUntil(QTime(9, 41, 0));
    EXPECT_TRUE(rig.wav.played.isEmpty());
}

TEST(Tick, ShortOrMissingFileAtChangeOfDayEmptiesTheRest)
{
    // Sunday's full file rings at 10:00 from the assembly cell; Monday's is short or missing.
    for (const bool mondayMissing : {false, true}) {
        ControllerRig rig(QDateTime(Sunday, QTime(23, 59, 58)));
        QHash<int, QString> sunday;
        sunday.insert(student(1), QStringLiteral("08:40"));
        sunday.insert(Slots::Assembly2, QStringLiteral("10:00"));
        rig.writeDay(QStringLiteral("Pazar"), sunday);
        if (!mondayMissing)
            rig.writeFile(QStringLiteral("saatler/Pazartesi.txt"), "\"08:45\"\r\n");
        ASSERT_TRUE(rig.load());
        while (rig.clock.now().date() == Sunday)
            rig.tick();
        EXPECT_EQ(rig.model.grid[student(1)], mondayMissing ? QString() : QStringLiteral("08:45"));
        for (int i = 1; i < Slots::Count; ++i)
            EXPECT_TRUE(rig.model.grid[i].isEmpty()) << "slot " << i;
        rig.setSoundLength(QStringLiteral("\\melodiler\\0.wav"), 5);
        rig.clock.set(QDateTime(Monday, QTime(9, 59, 58)));
        rig.tick();
        rig.tick();
        EXPECT_TRUE(rig.wav.played.isEmpty()) << "yesterday's 10:00 rang";
    }
}

TEST(Tick, ContinuousAmplifierIsSwitchedOnEveryTick)
{
    ControllerRig rig;
    start(rig, {});
    rig.controller->amp.Command4_Click();
    for (int i = 0; i < 5; ++i) {
        const auto before = rig.port.writes.size();
        rig.tick();
        EXPECT_EQ(rig.port.writes.size(), before + 1);
        EXPECT_EQ(rig.port.lastValue(), 1);
    }
}

TEST(Tick, ASoundStartedBetweenTicksSwitchesTheAmplifierOnThenOff)
{
    ControllerRig rig;
    start(rig, {});
    RelayWatch watch(rig);
    watch.tick();
    EXPECT_FALSE(watch.relayOn());
    rig.controller->d.wav.play(full(rig, StudentWav)); // started behind the controller's back
    watch.tick();
    EXPECT_TRUE(watch.relayOn());
    EXPECT_EQ(rig.controller->s.ampState, 1);
    watch.runUntil(QTime(8, 0, 21));
    EXPECT_FALSE(watch.relayOn());
    EXPECT_EQ(rig.model.label4.caption, Texts::AmpOff);
    EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
}

TEST(TickScheduler, AimsJustAheadOfTheNextWholeSecond)
{
    const QDateTime base(Monday, QTime(8, 0, 0));
    struct Case
    {
        int msIntoSecond;
        int wait;
    };
    const Case cases[] = {{0, 998}, {1, 997}, {500, 498}, {997, 1}, {998, 1000}, {999, 999}};
    for (const Case& c : cases)
        EXPECT_EQ(TickScheduler::msUntilNextTick(base.addMSecs(c.msIntoSecond)), c.wait) << c.msIntoSecond;
    EXPECT_EQ(TickScheduler::msUntilNextTick(QDateTime::fromMSecsSinceEpoch(-1500)), 498);
}

TEST(TickScheduler, EveryTickRunsInItsOwnNewSecondHoweverTheTimerWakes)
{
    // The timer wakes a varying bit early or late; the tick never runs in the old second, never skips
    // one, and starts within the lateness of the wake-up (or at once on the second when early).
    QDateTime now(Monday, QTime(8, 0, 0, 317));
    int second = now.time().second();
    const int offMark[] = {0, -1, 1, 3, -2, 12, -15, 40, 0, 2};
    for (int i = 0; i < 600; ++i) {
        const int off = offMark[i % 10];
        now = now.addMSecs(TickScheduler::msUntilNextTick(now) + TickScheduler::EarlyMs + off);
        now = now.addMSecs(TickScheduler::msLeftInOldSecond(now));
        second = (second + 1) % 60;
        ASSERT_EQ(now.time().second(), second) << i;
        ASSERT_EQ(now.time().msec(), std::max(off, 0)) << i;
    }
}

TEST(ClockWatch, AClockUnsynchronisedForAnHourIsShownAndJournalledHourlyUntilItIsSynchronised)
{
    const struct
    {
        const char* name;
        std::optional<bool> answer; // what the system says all along
        int minutes;
        bool shown;
        int journalled;
    } cases[] = {
        {"nothing answers", std::nullopt, 180, false, 0},
        {"synchronised", true, 180, false, 0},
        {"not yet an hour", false, 59, false, 0},
        {"three hours", false, 180, true, 3},
    };
    for (const auto& c : cases) {
        ControllerRig rig;
        ASSERT_TRUE(rig.load());
        rig.clockSync.answer = c.answer;
        LogCapture log("vezozil.bell");
        for (int minute = 0; minute <= c.minutes; ++minute) {
            rig.clock.advance(59);
            rig.tick();
        }
        EXPECT_EQ(rig.model.clockWarning, c.shown ? Texts::ClockNotSynced : QString()) << c.name;
        EXPECT_EQ(log.count(QStringLiteral("not been synchronised")), c.journalled) << c.name;
        EXPECT_LE(rig.clockSync.asks, c.minutes / 5 + 1) << c.name; // every few minutes, not every tick
        rig.clockSync.answer = true;
        rig.tick();
        EXPECT_EQ(rig.model.clockWarning, QString()) << c.name;
    }
}
