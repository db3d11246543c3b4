#include "fakes/ControllerRig.h"
#include "schedule/DayTable.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {
const QDate Wednesday(2026, 12, 9);
const QDate Saturday(2026, 12, 12);
const QDate Sunday(2026, 12, 13);

struct DayRig : ControllerRig
{
    DayRig(const QDate& date, const QTime& time) : ControllerRig(QDateTime(date, time))
    {
        setSoundLength(QStringLiteral("\\melodiler\\0.wav"), 5);
    }
    Controller& c() { return *controller; }
};
} // namespace

TEST(WeekendClose, SaturdayWithCheck4UnloadsInTheFirstTick)
{
    DayRig rig(Saturday, QTime(8, 29, 59));
    rig.writeDay(QStringLiteral("Cumartesi"), {{0, QStringLiteral("08:30")}});
    ASSERT_TRUE(rig.load());
    rig.model.check4 = true;
    rig.model.check3 = true;
    int changes = 0;
    QObject::connect(&rig.model, &MainModel::changed, [&] { ++changes; });
    QObject::connect(&rig.model, &MainModel::ticked, [&] { ++changes; });

    rig.tick(); // 08:30:00, a bell minute
    EXPECT_EQ(rig.shell.quits, 1);
    EXPECT_EQ(rig.shell.removes, 1);
    EXPECT_TRUE(rig.dialogs.asked.isEmpty()); // without a message
    EXPECT_EQ(rig.readFile(QStringLiteral("port.txt")), QByteArray("0\r\n"));
    // Steps 13 to 17 did not run: no silence, no bell, no redraw.
    EXPECT_EQ(rig.c().s.bellsOff, 0);
    EXPECT_TRUE(rig.wav.played.isEmpty());
    EXPECT_EQ(changes, 0);
    rig.runUntil(QTime(8, 31));
    EXPECT_EQ(rig.shell.quits, 1);
}

TEST(WeekendClose, WeekdayOrClearCheck4KeepsRunning)
{
    const std::pair<QDate, bool> cases[] = {{Wednesday, true}, {Saturday, false}, {Sunday, false}};
    for (const auto& [date, check4] : cases) {
        DayRig rig(date, QTime(9, 0));
        ASSERT_TRUE(rig.load());
        rig.model.check4 = check4;
        rig.runUntil(QTime(9, 0, 5));
        EXPECT_EQ(rig.shell.quits, 0) << date.toString().toStdString();
    }
}

TEST(WeekendSilence, SundayWithCheck3StaysSilentAllDay)
{
    DayRig rig(Sunday, QTime(8, 29, 50));
    rig.writeDay(QStringLiteral("Pazar"), {{0, QStringLiteral("08:30")}, {2, QStringLiteral("08:31")}});
    ASSERT_TRUE(rig.load());
    rig.model.check3 = true;
    for (int i = 0; i < 100; ++i) {
        rig.tick();
        ASSERT_EQ(rig.model.label7.caption, Texts::BellsOff) << rig.model.label1Caption.toStdString();
        ASSERT_EQ(rig.model.label7.colour, Colours::LightRed);
    }
    EXPECT_TRUE(rig.wav.played.isEmpty());
    EXPECT_EQ(rig.model.label22Caption, QStringLiteral("1"));
}

TEST(WeekendSilence, BellsSwitchedOnByHandLastAtMostOneTick)
{
    DayRig rig(Sunday, QTime(10, 0));
    ASSERT_TRUE(rig.load());
    rig.model.check3 = true;
    rig.tick();
    rig.dialogs.answers = {true};
    rig.c().commands.Commandac_Click();
    EXPECT_EQ(rig.model.label7.caption, Texts::BellsOn);
    rig.tick();
    EXPECT_EQ(rig.model.label7.caption, Texts::BellsOff);
    EXPECT_EQ(rig.c().s.bellsOff, 1);
}

TEST(WeekendSilence, WeekdayWithCheck3Rings)
{
    DayRig rig(Wednesday, QTime(8, 29, 59));
    rig.writeDay(QStringLiteral("Çarşamba"), {{0, QStringLiteral("08:30")}});
    ASSERT_TRUE(rig.load());
    rig.model.check3 = true;
    rig.tick();
    EXPECT_EQ(rig.wav.played.size(), 1);
    EXPECT_EQ(rig.model.label7.caption, Texts::BellsOn);
}

struct ShutdownCase
{
    QDate date;
    QTime at;      // when the one shutdown is issued
    QTime quietAt; // the other time, which must issue nothing on this day
};

TEST(ScheduledShutdown, EachDayGroupUsesItsOwnTimeOnce)
{
    const ShutdownCase cases[] = {{Wednesday, QTime(17, 0), QTime(18, 0)},
                                  {Saturday, QTime(18, 0), QTime(17, 0)},
                                  {Sunday, QTime(18, 0), QTime(17, 0)}};
    for (const ShutdownCase& sc : cases) {
        DayRig rig(sc.date, QTime(16, 58));
        ASSERT_TRUE(rig.load());
        ASSERT_EQ(rig.model.text26, QStringLiteral("17:00"));
        ASSERT_EQ(rig.model.text45, QStringLiteral("18:00"));
        const std::string day = sc.date.toString().toStdString();

        rig.runUntil(sc.at.addSecs(-1));
        EXPECT_EQ(rig.desktop.shutdowns, 0) << day;
        const int stopsBefore = rig.music.stops;
        rig.tick(); // hh:mm:00
        EXPECT_EQ(rig.desktop.shutdowns, 1) << day;
        EXPECT_EQ(rig.music.stops, stopsBefore + 1) << day; // only the music player is stopped
        EXPECT_EQ(rig.c().s.shutdownIssued, 1) << day;
        rig.runUntil(QTime(18, 1));
        EXPECT_EQ(rig.desktop.shutdowns, 1) << day; // 17:00:01 on, and 18:00, issue nothing more
    }
}

TEST(ScheduledShutdown, OtherGroupsTimeIssuesNothing)
{
    for (const QDate& date : {Wednesday, Saturday}) {
        DayRig rig(date, QTime(16, 58));
        ASSERT_TRUE(rig.load());
        // The time of the day's own group is moved out of the way.
        (DayTable::isWeekend(DayTable::nameOf(date)) ? rig.model.text45 : rig.model.text26) =
            QStringLiteral("23:00");
        rig.runUntil(QTime(18, 1));
        EXPECT_EQ(rig.desktop.shutdowns, 0) << date.toString().toStdString();
    }
}

TEST(ScheduledShutdown, IsIssuedOncePerRunEvenWhenTheTimeChanges)
{
    DayRig rig(Wednesday, QTime(16, 59, 59));
    ASSERT_TRUE(rig.load());
    rig.tick();
    ASSERT_EQ(rig.desktop.shutdowns, 1);
    rig.model.text26 = QStringLiteral("17:05");
    rig.runUntil(QTime(17, 6));
    EXPECT_EQ(rig.desktop.shutdowns, 1);
}

TEST(ScheduledShutdown, RunsWhileTheBellsAreOffAndLeavesTheAmplifierAlone)
{
    DayRig rig(Wednesday, QTime(16, 59, 59));
    rig.writeFile(QStringLiteral("port.txt"), "1\r\n");
    ASSERT_TRUE(rig.load());
    rig.c().s.bellsOff = 1;
    rig.c().amp.Command4_Click(); // amplifier held on
    const size_t writes = rig.port.writes.size();
    rig.tick();
    EXPECT_EQ(rig.desktop.shutdowns, 1);
    ASSERT_GT(rig.port.writes.size(), writes);
    EXPECT_EQ(rig.port.lastValue(), 1); // the shutdown switched nothing off
}

TEST(ScheduledShutdown, TimeWithoutLeadingZeroNeverMatches)
{
    DayRig rig(Wednesday, QTime(6, 59));
    ASSERT_TRUE(rig.load());
    rig.model.text26 = QStringLiteral("7:00\"");
    rig.runUntil(QTime(7, 1));
    EXPECT_EQ(rig.desktop.shutdowns, 0);
}
