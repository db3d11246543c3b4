// The engine when the wall clock jumps (a time sync, daylight saving, an operator setting the date):
// bells follow the new clock by the text comparison of "hh:mm" alone, and the day reloads whenever
// the weekday name changes.
#include "engine/TickScheduler.h"
#include "fakes/CoreApplication.h"
#include "fakes/EngineScenario.h"
#include "support/LogCapture.h"
#include "support/TestSupport.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

using namespace EngineScenario;

namespace {

const QDate Monday(2026, 12, 7);

// Lesson 1 at 08:00, lesson 2 at 09:00; student bell, teacher bell two minutes later, exit at :40.
const QHash<int, QString> TwoLessons{{student(1), "08:00"}, {teacher(1), "08:02"}, {exitBell(1), "08:40"},
                                     {student(2), "09:00"}, {teacher(2), "09:02"}, {exitBell(2), "09:40"}};

struct Jumping
{
    explicit Jumping(const QTime& from = QTime(7, 59, 0)) : rig(QDateTime(Monday, from))
    {
        QObject::connect(rig.controller.get(), &Controller::dayLoaded,
                         [this](const QString& day) { loaded << day; });
        start(rig, TwoLessons, {.student = 5, .teacher = 5, .exit = 5});
    }
    // Sets the clock; the next tick is the first second after it.
    void setClock(const QDateTime& t) { rig.clock.set(t.addSecs(-1)); }
    void setClock(const QTime& t) { setClock(QDateTime(rig.clock.now().date(), t)); }
    // The melodies played, by their file name only ("1.wav").
    QStringList rung() const
    {
        QStringList names;
        for (const QString& p : rig.wav.played)
            names << p.section(QLatin1Char('\\'), -1).section(QLatin1Char('/'), -1);
        return names;
    }

    ControllerRig rig;
    QStringList loaded;
};

TEST(ClockJump, ForwardJumpSkipsTheBellsItPassesAndRingsTheNextOnTime)
{
    Jumping j;
    j.rig.runUntil(QTime(8, 30, 0));
    j.setClock(QTime(9, 30, 0)); // an hour ahead
    j.rig.runUntil(QTime(9, 40, 0));
    EXPECT_EQ(j.rung(), QStringList({"1.wav", "2.wav", "3.wav"}));
    EXPECT_EQ(j.rig.model.text1, QStringLiteral("09:40"));
}

TEST(ClockJump, EachBellMinuteJumpedOverIsLogged)
{
    struct Case
    {
        QTime from, to;
        bool bellsOff;
        QStringList logged;
    };
    const Case cases[] = {
        {QTime(8, 30, 0),
         QTime(9, 30, 0),
         false,
         {"bell at 08:40 skipped: the clock jumped from 08:30:00 to 09:30:00",
          "bell at 09:00 skipped: the clock jumped from 08:30:00 to 09:30:00",
          "bell at 09:02 skipped: the clock jumped from 08:30:00 to 09:30:00"}},
        {QTime(7, 58, 30),
         QTime(8, 1, 30),
         false,
         {"bell at 08:00 skipped: the clock jumped from 07:58:30 to 08:01:30"}},
        {QTime(7, 59, 10), QTime(8, 0, 30), false, {}}, // lands in the bell's minute: it rings
        {QTime(7, 59, 59),
         QTime(8, 1, 0),
         false, // one missed second holds the whole bell minute
         {"bell at 08:00 skipped: the clock jumped from 07:59:59 to 08:01:00"}},
        {QTime(9, 30, 0), QTime(8, 30, 0), false, {}}, // backwards: nothing passed by
        {QTime(8, 30, 0), QTime(9, 30, 0), true, {}},  // with the bells off nothing would have rung
    };
    for (const Case& c : cases) {
        Jumping j(c.from.addSecs(-5));
        j.rig.runUntil(c.from);
        j.rig.controller->s.bellsOff = c.bellsOff ? 1 : 0;
        LogCapture log("vezozil.bell");
        j.setClock(c.to);
        j.rig.tick();
        EXPECT_EQ(log.messages().filter(QStringLiteral("skipped")), c.logged)
            << c.from.toString().toStdString();
    }
}

TEST(ClockJump, ForwardJumpIntoABellMinuteRingsItAtOnce)
{
    Jumping j;
    j.rig.runUntil(QTime(8, 30, 0));
    j.setClock(QTime(9, 0, 35));
    j.rig.tick();
    EXPECT_EQ(j.rung(), QStringList({"1.wav", "2.wav", "1.wav"}));
    EXPECT_TRUE(j.rig.wav.isPlaying());
}

TEST(ClockJump, BackwardJumpOfAnHourRingsTheReplayedBellsAgain)
{
    Jumping j;
    j.rig.runUntil(QTime(9, 45, 0));
    ASSERT_EQ(j.rung().size(), 6);
    j.setClock(QTime(8, 45, 0)); // an hour back: 08:40 lies before, 09:00 to 09:40 come again
    j.rig.runUntil(QTime(9, 45, 0));
    EXPECT_EQ(j.rung().mid(6), QStringList({"1.wav", "2.wav", "3.wav"}));
    EXPECT_EQ(j.loaded, QStringList({"Pazartesi"}));
}

TEST(ClockJump, BackwardJumpFromInsideABellMinuteRingsAnEarlierBellAtOnce)
{
    // The guard holds only while the clock shows the minute of the last bell.
    Jumping j;
    j.rig.runUntil(QTime(9, 0, 30));
    j.setClock(QTime(8, 0, 30));
    j.rig.tick();
    EXPECT_EQ(j.rung(), QStringList({"1.wav", "2.wav", "3.wav", "1.wav", "1.wav"}));
    EXPECT_EQ(j.rig.model.text1, QStringLiteral("08:00"));
}

TEST(ClockJump, SmallCorrectionInsideTheBellMinuteDoesNotRingItTwice)
{
    Jumping j;
    j.rig.runUntil(QTime(8, 0, 40));
    j.setClock(QTime(8, 0, 2)); // a time sync takes back 38 seconds
    j.rig.runUntil(QTime(8, 1, 30));
    EXPECT_EQ(j.rung(), QStringList({"1.wav"}));
}

TEST(ClockJump, DateChangedByHandLoadsThatDayAndSwitchesTheBellsOn)
{
    Jumping j;
    j.rig.writeDay(QStringLiteral("Çarşamba"), {{student(3), "10:01"}});
    j.rig.runUntil(QTime(9, 30, 0));
    j.rig.controller->s.bellsOff = 1; // the operator switched them off for an event
    j.setClock(QDateTime(Monday.addDays(2), QTime(10, 0, 0)));
    j.rig.tick();
    EXPECT_EQ(j.loaded, QStringList({"Pazartesi", "Çarşamba"}));
    EXPECT_EQ(j.rig.controller->s.bellsOff, 0);
    EXPECT_EQ(j.rig.model.grid[student(1)], QStringLiteral("XX:XX")); // Monday's times went with Monday
    j.rig.runUntil(QTime(10, 1, 0));
    EXPECT_EQ(j.rung().last(), QStringLiteral("1.wav"));
    EXPECT_EQ(j.rig.model.text1, QStringLiteral("10:01"));
}

TEST(ClockJump, DateChangedToADayWithoutATimetableRingsNothingUntilTheDayIsBack)
{
    Jumping j; // only Monday has a timetable
    j.rig.runUntil(QTime(8, 30, 0));
    j.setClock(QDateTime(Monday.addDays(3), QTime(8, 59, 50)));
    j.rig.runUntil(QTime(9, 45, 0));
    EXPECT_EQ(j.loaded, QStringList({"Pazartesi", "Perşembe"}));
    EXPECT_TRUE(std::all_of(j.rig.model.grid.begin(), j.rig.model.grid.end(),
                            [](const QString& box) { return box.isEmpty(); }));
    EXPECT_EQ(j.rung(), QStringList({"1.wav", "2.wav"}));

    j.setClock(QDateTime(Monday, QTime(8, 59, 50))); // the operator puts the date right
    j.rig.runUntil(QTime(9, 0, 0));
    EXPECT_EQ(j.loaded, QStringList({"Pazartesi", "Perşembe", "Pazartesi"}));
    EXPECT_EQ(j.rung(), QStringList({"1.wav", "2.wav", "1.wav"}));
}

TEST(ClockJump, DateSetAWeekBackIsTheSameDayAndReloadsNothing)
{
    Jumping j;
    j.rig.runUntil(QTime(8, 0, 30));
    j.setClock(QDateTime(Monday.addDays(-7), QTime(8, 0, 30)));
    j.rig.runUntil(QTime(8, 2, 0));
    EXPECT_EQ(j.loaded, QStringList({"Pazartesi"}));
    // 08:00 has rung and the clock still shows 08:00: the guard keeps it from ringing again.
    EXPECT_EQ(j.rung(), QStringList({"1.wav", "2.wav"}));
}

TEST(ClockJump, DateChangedInsideABellMinuteDoesNotRingThatMinuteOfTheNewDay)
{
    // Only the text "hh:mm" of the last bell guards the minute; the day plays no part in it.
    Jumping j;
    j.rig.writeDay(QStringLiteral("Salı"), {{student(1), "08:00"}, {teacher(1), "08:03"}});
    j.rig.runUntil(QTime(8, 0, 30));
    j.setClock(QDateTime(Monday.addDays(1), QTime(8, 0, 31)));
    j.rig.runUntil(QTime(8, 3, 1));
    EXPECT_EQ(j.loaded, QStringList({"Pazartesi", "Salı"}));
    EXPECT_EQ(j.rung(), QStringList({"1.wav", "2.wav"})); // Tuesday's teacher bell, on time
}

TEST(ClockJump, BackwardJumpOverMidnightReloadsBothDays)
{
    Jumping j(QTime(23, 59, 50));
    j.rig.writeDay(QStringLiteral("Salı"), {{student(1), "00:01"}});
    j.rig.runUntil(QTime(23, 59, 59));
    j.rig.tick(); // midnight
    ASSERT_EQ(j.loaded, QStringList({"Pazartesi", "Salı"}));
    j.setClock(QDateTime(Monday, QTime(23, 59, 58)));
    j.rig.tick();
    j.rig.tick();
    j.rig.tick(); // midnight again
    EXPECT_EQ(j.loaded, QStringList({"Pazartesi", "Salı", "Pazartesi", "Salı"}));
    j.rig.runUntil(QTime(0, 1, 0));
    EXPECT_EQ(j.rung(), QStringList({"1.wav"}));
}

// Central European time, where the clock skips 02:00-02:59 in spring and repeats it in autumn.
struct DaylightSaving
{
    QTimeZone zone{"Europe/Berlin"};
    QStringList run(const QDate& sunday, const QTime& from, int seconds) const
    {
        ControllerRig rig(QDateTime(sunday, from, zone));
        rig.writeDay(QStringLiteral("Pazar"), {{student(1), "02:30"}, {teacher(1), "03:10"}});
        rig.load();
        for (int b = 0; b < MelodyBoxCount; ++b)
            rig.model.melody[b].position = b;
        rig.controller->melodies.recomputeAll();
        rig.setSoundLength(StudentWav, 5);
        rig.setSoundLength(TeacherWav, 5);
        for (int s = 0; s < seconds; ++s)
            rig.tick();
        QStringList rung;
        for (const QString& p : rig.wav.played)
            rung << p.section(QLatin1Char('/'), -1);
        return rung;
    }
};

TEST(ClockJump, DaylightSavingSkipsTheBellsOfTheLostHourAndRepeatsThoseOfTheDoubledOne)
{
    const DaylightSaving dst;
    if (!dst.zone.isValid())
        GTEST_SKIP() << "no time zone data for Europe/Berlin";
    // 29 March 2026: 01:59:59 is followed by 03:00:00, so 02:30 is never shown.
    EXPECT_EQ(dst.run(QDate(2026, 3, 29), QTime(1, 0, 0), 3 * 3600), QStringList({"2.wav"}));
    // 25 October 2026: 02:59:59 is followed by 02:00:00 again, so 02:30 is shown twice and rings twice.
    EXPECT_EQ(dst.run(QDate(2026, 10, 25), QTime(1, 0, 0), 3 * 3600 + 20 * 60),
              QStringList({"1.wav", "1.wav", "2.wav"}));
}

TEST(ClockJump, WaitForTheNextTickStaysWithinASecondAcrossAnyJump)
{
    const QDateTime before(Monday, QTime(8, 0, 0, 990));
    const qint64 jumps[] = {3600, -3600, 86400, -86400 * 7, 1, -1, 0};
    for (const qint64 seconds : jumps) {
        for (const int ms : {0, 3, 5, 6, 420, 995, 999}) {
            const QDateTime after = before.addSecs(seconds).addMSecs(ms - 990);
            const int wait = TickScheduler::msUntilNextTick(after);
            EXPECT_GT(wait, 0) << seconds << " " << ms;
            EXPECT_LE(wait, 1000) << seconds << " " << ms;
            EXPECT_EQ(after.addMSecs(wait).time().msec(), 1000 - TickScheduler::EarlyMs) << seconds << " " << ms;
        }
    }
}

TEST(SystemClock, ShowsTheLocalTimeOfEveryZone)
{
    // The zone's offset is looked up once a minute; what it gives must be the local time all the same.
    const QByteArray saved = qgetenv("TZ");
    for (const char* zone : {"UTC", "Europe/Istanbul", "America/St_Johns", "Asia/Kathmandu"}) {
        SCOPED_TRACE(zone);
        qputenv("TZ", zone);
        tzset();
        const SystemClock clock;
        const QDateTime local = QDateTime::currentDateTime();
        const QDateTime now = clock.now();
        EXPECT_EQ(now.offsetFromUtc(), local.offsetFromUtc());
        EXPECT_LT(std::abs(now.msecsTo(local)), 1000);
        EXPECT_LT(std::abs(now.time().msecsTo(local.time())), 1000);
    }
    if (saved.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", saved);
    tzset();
}

TEST(ClockJump, SchedulerKeepsTickingWhileTheClockJumpsBackAndForth)
{
    ensureCoreApplication();
    // Each tick moves the clock an hour back or forward, to 10 ms before a whole second; the clock
    // then stands still, so the wait for the new second must give up rather than hold the tick back.
    ManualClock clock(QDateTime(Monday, QTime(8, 0, 0, 990)));
    int ticks = 0;
    TickScheduler scheduler(clock, [&] {
        ++ticks;
        clock.set(clock.now().addSecs(ticks % 2 == 0 ? 3600 : -3600 * 2));
    });
    scheduler.start();
    const QDeadlineTimer deadline(std::chrono::seconds(10));
    while (ticks < 12 && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(1);
    }
    scheduler.stop();
    EXPECT_GE(ticks, 12);
}

} // namespace
