#include "fakes/CoreApplication.h"
#include "platform/LockFileInstanceGuard.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

// The test program doubles as the second copy: started with VEZOZIL_GUARD_CHILD set, it asks the
// guard before main runs, reports "running" or "free", and then either holds the lock until its
// input closes ("hold") or dies on the spot without releasing it ("crash").
namespace {
int runAsSecondCopy()
{
    const QByteArray mode = qgetenv("VEZOZIL_GUARD_CHILD");
    if (mode.isEmpty())
        return 0;
    auto* guard = new LockFileInstanceGuard(QString::fromLocal8Bit(qgetenv("VEZOZIL_GUARD_FOLDER")),
                                            QString::fromLocal8Bit(qgetenv("VEZOZIL_GUARD_LOCKS")));
    std::cout << (guard->anotherCopyRunning() ? "running" : "free") << std::endl;
    if (mode == "crash")
        std::_Exit(0); // no destructor: the lock file stays behind, as after a power cut
    std::string line;
    std::getline(std::cin, line);
    delete guard;
    std::exit(0);
}
const int secondCopy = runAsSecondCopy();

class SecondCopy
{
public:
    SecondCopy(const QString& mode, const QString& folder, const QString& locks)
    {
        ensureCoreApplication();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VEZOZIL_GUARD_CHILD"), mode);
        env.insert(QStringLiteral("VEZOZIL_GUARD_FOLDER"), folder);
        env.insert(QStringLiteral("VEZOZIL_GUARD_LOCKS"), locks);
        m_process.setProcessEnvironment(env);
        m_process.start(QCoreApplication::applicationFilePath(), {});
    }
    ~SecondCopy() { finish(); }

    // The guard's answer in the second copy, waited for at most a few seconds.
    QString answer()
    {
        while (!m_process.canReadLine() && m_process.waitForReadyRead(5000)) {
        }
        return QString::fromLatin1(m_process.readLine()).trimmed();
    }
    bool finish()
    {
        if (m_process.state() == QProcess::NotRunning)
            return true;
        m_process.closeWriteChannel();
        return m_process.waitForFinished(5000);
    }

private:
    QProcess m_process;
};

struct Folders
{
    Folders() { QDir(root.path()).mkpath(QStringLiteral("okul")); }
    QString folder() const { return root.filePath(QStringLiteral("okul")); }
    QString locks() const { return root.filePath(QStringLiteral("run")); }
    QTemporaryDir root;
};
} // namespace

TEST(InstanceGuard, SecondCopyOnTheSameFolderIsRefused)
{
    Folders f;
    LockFileInstanceGuard first(f.folder(), f.locks());
    ASSERT_FALSE(first.anotherCopyRunning());
    SecondCopy second(QStringLiteral("hold"), f.folder(), f.locks());
    EXPECT_EQ(second.answer(), QStringLiteral("running"));
}

TEST(InstanceGuard, RunningCopyIsSeenByANewStart)
{
    Folders f;
    SecondCopy running(QStringLiteral("hold"), f.folder(), f.locks());
    ASSERT_EQ(running.answer(), QStringLiteral("free"));
    LockFileInstanceGuard start(f.folder(), f.locks());
    EXPECT_TRUE(start.anotherCopyRunning());

    // Once the running copy has ended normally, the folder is free again.
    ASSERT_TRUE(running.finish());
    EXPECT_FALSE(start.anotherCopyRunning());
}

TEST(InstanceGuard, CopiesOnOtherFoldersRunSideBySide)
{
    Folders f;
    QDir(f.root.path()).mkpath(QStringLiteral("okul2"));
    LockFileInstanceGuard first(f.folder(), f.locks());
    ASSERT_FALSE(first.anotherCopyRunning());
    SecondCopy other(QStringLiteral("hold"), f.root.filePath(QStringLiteral("okul2")), f.locks());
    EXPECT_EQ(other.answer(), QStringLiteral("free"));
}

TEST(InstanceGuard, LockLeftByACrashDoesNotBlockTheNextStart)
{
    Folders f;
    SecondCopy crashed(QStringLiteral("crash"), f.folder(), f.locks());
    ASSERT_EQ(crashed.answer(), QStringLiteral("free"));
    ASSERT_TRUE(crashed.finish());
    LockFileInstanceGuard next(f.folder(), f.locks());
    ASSERT_TRUE(QFile::exists(next.lockFilePath())) << "the crash left its lock behind";
    EXPECT_FALSE(next.anotherCopyRunning());
}

TEST(InstanceGuard, OneFolderByAnyOfItsNamesIsOneLock)
{
    Folders f;
    const QString roundabout = f.root.filePath(QStringLiteral("okul/../okul/"));
    QFile::link(f.folder(), f.root.filePath(QStringLiteral("kisayol")));
    LockFileInstanceGuard a(f.folder(), f.locks());
    LockFileInstanceGuard b(roundabout, f.locks());
    LockFileInstanceGuard c(f.root.filePath(QStringLiteral("kisayol")), f.locks());
    EXPECT_EQ(a.lockFilePath(), b.lockFilePath());
    EXPECT_EQ(a.lockFilePath(), c.lockFilePath());
}

TEST(InstanceGuard, LockThatCannotBeMadeDoesNotStopTheBells)
{
    Folders f;
    QFile blocker(f.root.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    LockFileInstanceGuard guard(f.folder(), blocker.fileName() + QStringLiteral("/run"));
    EXPECT_FALSE(guard.anotherCopyRunning());
}

TEST(InstanceGuard, AskingAgainKeepsTheLock)
{
    Folders f;
    LockFileInstanceGuard guard(f.folder(), f.locks());
    ASSERT_FALSE(guard.anotherCopyRunning());
    EXPECT_FALSE(guard.anotherCopyRunning());
    SecondCopy second(QStringLiteral("hold"), f.folder(), f.locks());
    EXPECT_EQ(second.answer(), QStringLiteral("running"));
}
