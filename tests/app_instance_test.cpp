// Starts of the real program that must not ring: a second copy on the same program folder, and a
// desktop start while the headless service rings the PC's bells.
#include "schedule/DayTable.h"
#include "support/QuietSchoolRun.h"
#include "support/RehearsalProcess.h"
#include "support/RunningProgram.h"
#include "support/SchoolFolder.h"
#include "support/TestSupport.h"
#include "support/XServer.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

namespace {
const QByteArray SecondCopyMessage =
    "Zil programı zaten çalışıyor ! Bildirim alanındaki saat simgesinden açabilirsiniz.";
const QByteArray ServiceMessage = "Zil programı bu bilgisayarda ekransız hizmet olarak zaten çalışıyor";
const QByteArray DesktopCopyMessage = "the service does not start a second bell engine";
constexpr int Refused = 3;

class RefusedStart : public QuietSchoolRun
{
protected:
    QProcessEnvironment environment() const { return quietEnvironment(); }
    QStringList arguments(bool headless) const
    {
        QStringList a{QStringLiteral("--dir"), school.path()};
        if (headless)
            a << QStringLiteral("--headless");
        return a;
    }
};
} // namespace

TEST_F(RefusedStart, EndsAtOnceWithoutAScreenAndTouchesNothing)
{
    const struct
    {
        const char* name;
        int first; // -1: no first copy; 0: with a window; 1: headless; 2: a window, the service elsewhere
        bool serviceActive;
        bool headless; // the start under test
        const char* message;
        bool runs;
    } cases[] = {
        {"second copy with a window", 0, false, false, SecondCopyMessage, false},
        {"second copy, headless", 0, false, true, SecondCopyMessage, false},
        {"a window beside a headless copy", 1, false, false, SecondCopyMessage, false},
        {"a window while the headless service runs", -1, true, false, ServiceMessage, false},
        {"the headless service itself", -1, true, true, "", true},
        {"the headless service beside a window on another folder", 2, false, true, DesktopCopyMessage, false},
    };
    for (const auto& c : cases) {
        SetUp();
        std::unique_ptr<RunningProgram> first;
        if (c.first >= 0) {
            first = std::make_unique<RunningProgram>(arguments(c.first == 1), environment());
            ASSERT_TRUE(first->waitForLog("first tick")) << c.name << first->log().toStdString();
        }
        setServiceActive(c.serviceActive);
        const auto before = school.snapshot();

        // systemd names every start of a unit.
        QProcessEnvironment env = environment();
        QTemporaryDir otherFolder;
        if (c.first == 2)
            env.insert(QStringLiteral("INVOCATION_ID"), QStringLiteral("5e2b1d0c9a8f4e7d8c6b5a4f3e2d1c0b"));
        RunningProgram start(c.first == 2 ? QStringList{"--headless", "--dir", otherFolder.path()}
                                          : arguments(c.headless),
                             env);
        if (c.runs) {
            EXPECT_TRUE(start.waitForLog("first tick")) << c.name << start.log().toStdString();
            start.signal(SIGTERM);
            EXPECT_TRUE(start.endsWith(0)) << c.name;
            continue;
        }
        EXPECT_TRUE(start.endsWith(Refused)) << c.name << start.log().toStdString();
        EXPECT_TRUE(start.log().toUtf8().contains(c.message)) << c.name << start.log().toStdString();
        EXPECT_FALSE(start.log().contains(QStringLiteral("first tick"))) << c.name;
        EXPECT_EQ(school.changedSince(before), QStringList())
            << c.name << ": the refused start wrote nothing";
        if (first) {
            EXPECT_TRUE(first->running()) << c.name;
            first->signal(SIGTERM);
            EXPECT_TRUE(first->endsWith(0)) << c.name;
            EXPECT_EQ(school.snapshot().value(QStringLiteral("port.txt")), QByteArray("0\r\n"))
                << c.name << ": the first copy still saves at its end";
        }
    }
}

TEST_F(RefusedStart, OnAScreenTheSecondCopyShowsItsMessageUntilItIsClosedOrEnded)
{
    XServer x;
    if (x.display().isEmpty())
        GTEST_SKIP() << "Xvfb could not be started";
    const QProcessEnvironment env = x.environmentFor(environment());
    RunningProgram first(arguments(false), env);
    ASSERT_TRUE(first.waitForLog("first tick")) << first.log().toStdString();

    for (const bool byClose : {true, false}) {
        RunningProgram second(arguments(false), env);
        ASSERT_TRUE(second.waitForLog("another copy is running")) << second.log().toStdString();
        // The message box waits for the operator; closing it, or the system's request to end while it
        // is open, ends the copy.
        bool shown = false;
        const QDeadlineTimer deadline(20000);
        while (second.running() && !deadline.hasExpired()) {
            if (x.closeWindowOf(second.pid(), !byClose)) {
                shown = true;
                if (!byClose)
                    second.signal(SIGTERM);
            }
            second.waitForLog("never logged", 200);
        }
        EXPECT_TRUE(shown) << "the message has a window of its own";
        EXPECT_TRUE(second.endsWith(Refused)) << byClose << second.log().toStdString();
        EXPECT_EQ(second.count("unloaded"), 0);
    }
    EXPECT_TRUE(first.running());
}

TEST_F(RefusedStart, RehearsalRunsBesideTheRunningProgram)
{
    RunningProgram first(arguments(false), environment());
    ASSERT_TRUE(first.waitForLog("first tick")) << first.log().toStdString();
    const ProgramRun run =
        runProgram({QStringLiteral("--dir"), school.path(), QStringLiteral("--simulate"),
                    QStringLiteral("2026-12-07T08:00:00"), QStringLiteral("2026-12-07T08:00:05")},
                   environment());
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(run.lines, QStringList{QStringLiteral("2026-12-07T08:00:00 day Pazartesi")});
    EXPECT_TRUE(first.running());
}
