// A second copy of the real program on the same program folder, beside a running first copy.
#include "schedule/DayTable.h"
#include "support/RehearsalProcess.h"
#include "support/SchoolFolder.h"
#include "support/TestSupport.h"

#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>

namespace {
// Waits until the process has written `text` to standard error; false when it ends first or the time
// runs out. `seen` collects what was read.
bool waitForError(QProcess& process, QByteArray& seen, const QByteArray& text, int timeoutMs = 20000)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!seen.contains(text)) {
        if (process.state() == QProcess::NotRunning || deadline.hasExpired())
            return false;
        process.waitForReadyRead(100);
        seen += process.readAllStandardError();
    }
    return true;
}

// Ends a process this test started, by its own handle, and waits for it.
void stop(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.kill();
    process.waitForFinished(5000);
}

class SecondCopy : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(programPath().isEmpty()) << "VEZOZIL_EXE is not set";
        ASSERT_TRUE(school.dir.isValid() && runtime.isValid());
        // Whatever the real clock says, nothing rings, nothing shuts the machine down, no port is
        // written and the weekend does not close the program.
        for (const QString& day : DayTable::names())
            school.day(day, {});
        school.melodi({});
        school.kapat(QStringLiteral("XX:XX"), QStringLiteral("XX:XX"));
        school.muzikler({});
        // Two lines: the unload of a copy that ends normally writes the one it keeps.
        school.writeLines(QStringLiteral("port.txt"), {QStringLiteral("0"), QStringLiteral("0")});
        for (QProcess* p : {&first, &second}) {
            p->setProcessEnvironment(environment());
            p->setReadChannel(QProcess::StandardError);
        }
    }
    void TearDown() override
    {
        stop(second);
        stop(first);
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        // The copies' lock lives here, away from the user's own.
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        return env;
    }

    // Starts the first copy and waits until its clock ticks.
    void startFirstCopy()
    {
        first.start(programPath(), {QStringLiteral("--dir"), school.path()});
        ASSERT_TRUE(first.waitForStarted(10000));
        ASSERT_TRUE(waitForError(first, firstErrors, "first tick")) << firstErrors.toStdString();
    }

    SchoolFolder school;
    QTemporaryDir runtime;
    QProcess first;
    QProcess second;
    QByteArray firstErrors;
};
} // namespace

TEST_F(SecondCopy, WaitsOnItsMessageWithoutTouchingTheFirstCopy)
{
    startFirstCopy();
    const auto folderBefore = school.snapshot();

    second.start(programPath(), {QStringLiteral("--dir"), school.path()});
    ASSERT_TRUE(second.waitForStarted(10000));
    QByteArray secondErrors;
    ASSERT_TRUE(waitForError(second, secondErrors, "another copy is running")) << secondErrors.toStdString();
    // The message box is modal: the second copy stays in it until someone answers.
    EXPECT_FALSE(second.waitForFinished(1500));
    EXPECT_EQ(second.state(), QProcess::Running);
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
    EXPECT_FALSE(secondErrors.contains("first tick")) << "the second copy must not start its clock";
    stop(second);

    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(school.changedSince(folderBefore), QStringList()) << "the second copy wrote nothing";

    // Still the first copy's own: asked to end, it goes through its normal unload and saves the port.
    first.terminate();
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_EQ(school.snapshot().value(QStringLiteral("port.txt")), QByteArray("0\r\n"));
}

TEST_F(SecondCopy, RehearsalRunsBesideTheRunningProgram)
{
    startFirstCopy();
    const ProgramRun run =
        runProgram({QStringLiteral("--dir"), school.path(), QStringLiteral("--simulate"),
                    QStringLiteral("2026-12-07T08:00:00"), QStringLiteral("2026-12-07T08:00:05")},
                   environment());
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(run.lines, QStringList{QStringLiteral("2026-12-07T08:00:00 day Pazartesi")});
    EXPECT_EQ(first.state(), QProcess::Running);
}
