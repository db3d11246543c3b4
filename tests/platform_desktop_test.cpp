#include "fakes/CoreApplication.h"
#include "fakes/FakeProcessControl.h"
#include "platform/SystemDesktop.h"
#include "support/TestSupport.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {
using Process = FakeProcessControl::Process;

FakeProcessControl processTable()
{
    FakeProcessControl pc;
    pc.self = 100;
    pc.processes = {
        {100, {"/usr/bin/vezozil", "vezozil", {"vezozil"}}},
        {201, {"/usr/bin/vlc", "vlc", {"/usr/bin/vlc", "liste.m3u"}}},
        {202, {"/usr/bin/vlc-wrapper", "vlc-wrapper", {"vlc-wrapper"}}},
        {203, {"/usr/bin/python3", "radyo", {"/usr/bin/python3", "/opt/radyo"}}},
        {204, {"/usr/bin/wine64-preloader", "winamp.exe", {"C:\\Winamp\\winamp.exe"}}},
        {205, {"/usr/local/bin/winamp", "winamp", {"winamp"}}},
        {206, {"/usr/bin/audacious (deleted)", "audacious", {"audacious"}}},
        {207, {"/usr/bin/python3", "vezozil-radio-p", {"/usr/bin/python3", "/opt/vezozil-radio-player"}}},
        {208, {"/usr/bin/python3", "vezozil-radio-p", {"/usr/bin/python3", "/opt/vezozil-radio-pager"}}},
        {209, {"/opt/Radyo Çalar", "Radyo Çalar", {"/opt/Radyo Çalar"}}},
        {210, {"", "", {}, -1}}, // status unreadable: never ours
        {211, {"/usr/bin/vlc", "vlc", {"/usr/bin/vlc"}}},
        {212, {"/usr/bin/vlc", "vlc", {"/usr/bin/vlc"}, 1001}},               // another user's
        {213, {"/usr/bin/vlc", "vlc", {"/usr/bin/vlc", "/home/okul/radyo"}}}, // a file called radyo
        {214, {"/usr/bin/bash", "radyo", {"bash"}}},                          // renamed itself
        {215, {"/usr/bin/vezozil-radio-pager", "vezozil-radio-p", {"vezozil-radio-pager"}}},
    };
    return pc;
}

struct KillCase
{
    const char* imageName;
    QList<qint64> killed;
};
} // namespace

class DesktopKill : public testing::TestWithParam<KillCase>
{
};

TEST_P(DesktopKill, EndsExactlyTheProcessesOfThatName)
{
    FakeProcessControl pc = processTable();
    SystemDesktop desktop(pc);
    desktop.killProcesses(QString::fromUtf8(GetParam().imageName));
    QList<qint64> killed = pc.killed;
    std::sort(killed.begin(), killed.end());
    EXPECT_EQ(killed, GetParam().killed);
    EXPECT_TRUE(pc.starts.empty()) << "nothing is started to end a process";
}

INSTANTIATE_TEST_SUITE_P(
    Names, DesktopKill,
    testing::Values(KillCase{"vlc", {201, 211, 213}},        // every process of ours of the name only
                    KillCase{"radyo", {203}},                // a script, by the word it was started as
                    KillCase{"winamp.exe", {204, 205}},      // wine's process and the Linux program
                    KillCase{"WINAMP.EXE", {}},              // names keep their letter case
                    KillCase{"audacious", {206}},            // replaced on disk while running
                    KillCase{"vezozil-radio-player", {207}}, // longer than the kernel's command name
                    KillCase{"vezozil-radio-pa", {}},        // the cut command name alone is no match
                    KillCase{"Radyo Çalar", {209}},          // blanks belong to the name
                    KillCase{"vezozil", {}},                 // never the program itself
                    KillCase{"vlc; rm -rf ~", {}},           // nothing runs the name as a command
                    KillCase{"/usr/bin/vlc", {}},            // a path is no image name
                    KillCase{"", {}}));

TEST(Desktop, AsRootEndsOnlyWhatRootItselfStarted)
{
    FakeProcessControl pc = processTable();
    pc.ownUid = 0;
    pc.processes[201].uid = 0;
    pc.processes[213].uid = 0;
    SystemDesktop desktop(pc);
    desktop.killProcesses(QStringLiteral("vlc"));
    EXPECT_EQ(pc.killed, (QList<qint64>{201, 213}));
}

TEST(Desktop, PidThatWentToAnotherProcessIsNotEnded)
{
    FakeProcessControl pc = processTable();
    pc.reusedBeforeKill[201] = {"/usr/bin/gedit", "gedit", {"gedit"}};
    SystemDesktop desktop(pc);
    desktop.killProcesses(QStringLiteral("vlc"));
    EXPECT_EQ(pc.killed, (QList<qint64>{211, 213}));
    EXPECT_TRUE(pc.processes.contains(201));
}

TEST(Desktop, OpensADocumentWithItsAssociatedProgram)
{
    FakeProcessControl pc;
    SystemDesktop desktop(pc);
    desktop.openDocument(QStringLiteral("/home/okul/müziklerim.m3u"));
    ASSERT_EQ(pc.starts.size(), 1u);
    EXPECT_EQ(pc.starts[0].program, QStringLiteral("xdg-open"));
    EXPECT_EQ(pc.starts[0].arguments, QStringList{QStringLiteral("/home/okul/müziklerim.m3u")});
}

TEST(Desktop, StartsAProgramItselfInItsFolder)
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("radyo"));
    QFile f(program);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    FakeProcessControl pc;
    SystemDesktop desktop(pc);
    desktop.openDocument(program);
    ASSERT_EQ(pc.starts.size(), 1u);
    EXPECT_EQ(pc.starts[0].program, program);
    EXPECT_TRUE(pc.starts[0].arguments.isEmpty());
    EXPECT_EQ(pc.starts[0].workingDirectory, dir.path());

    // An executable that will not run (a playlist on a Windows disk) is opened as a document.
    pc.starts.clear();
    pc.unstartable << program;
    desktop.openDocument(program);
    ASSERT_EQ(pc.starts.size(), 2u);
    EXPECT_EQ(pc.starts[1].program, QStringLiteral("xdg-open"));
}

TEST(Desktop, EmptyPathOpensNothing)
{
    FakeProcessControl pc;
    SystemDesktop desktop(pc);
    desktop.openDocument(QString());
    desktop.openUrl(QString());
    EXPECT_TRUE(pc.starts.empty());
}

TEST(Desktop, OpensAWebPageInTheBrowser)
{
    FakeProcessControl pc;
    SystemDesktop desktop(pc);
    desktop.openUrl(QStringLiteral("http://www.vezozil.example/"));
    ASSERT_EQ(pc.starts.size(), 1u);
    EXPECT_EQ(pc.starts[0].program, QStringLiteral("xdg-open"));
    EXPECT_EQ(pc.starts[0].arguments, QStringList{QStringLiteral("http://www.vezozil.example/")});
}

TEST(Desktop, ShutdownPowersOffThroughSystemd)
{
    FakeProcessControl pc;
    SystemDesktop desktop(pc);
    desktop.shutdown();
    ASSERT_EQ(pc.starts.size(), 1u);
    EXPECT_EQ(pc.starts[0].program, QStringLiteral("systemctl"));
    EXPECT_EQ(pc.starts[0].arguments, QStringList{QStringLiteral("poweroff")});
}

TEST(Desktop, ShutdownFallsBackWithoutSystemd)
{
    FakeProcessControl pc;
    pc.unstartable << QStringLiteral("systemctl");
    SystemDesktop desktop(pc);
    desktop.shutdown();
    ASSERT_EQ(pc.starts.size(), 2u);
    EXPECT_EQ(pc.starts[1].program, QStringLiteral("shutdown"));
    EXPECT_EQ(pc.starts[1].arguments, (QStringList{QStringLiteral("-h"), QStringLiteral("now")}));
}

namespace {
// A real process under a name no other program on this machine carries.
struct Sleeper
{
    // `asUser`: started under that uid through setpriv (needs root); the file is made beforehand.
    Sleeper(const QTemporaryDir& dir, const QString& name, const QByteArray& script, int asUser = -1)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        if (script.isEmpty())
            QFile::copy(QStringLiteral("/bin/sleep"), path);
        else if (f.open(QIODevice::WriteOnly))
            f.write(script);
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                         QFile::ExeOther);
        const QStringList arguments = script.isEmpty() ? QStringList{QStringLiteral("30")} : QStringList{};
        if (asUser < 0) {
            process.start(path, arguments);
            return;
        }
        const QString id = QString::number(asUser);
        process.start(QStringLiteral("setpriv"),
                      QStringList{QStringLiteral("--reuid=") + id, QStringLiteral("--regid=") + id,
                                  QStringLiteral("--clear-groups"), path} +
                          arguments);
    }
    ~Sleeper()
    {
        process.kill();
        process.waitForFinished(5000);
    }
    QProcess process;
};
} // namespace

TEST(Desktop, EndsRealProcessesByName)
{
    ensureCoreApplication();
    QTemporaryDir dir;
    const QString id = QString::number(QCoreApplication::applicationPid());
    const QString shortName = QStringLiteral("vzs") + id;
    const QString longName = QStringLiteral("vezozil-test-sleeper-") + id;
    const QString scriptName = QStringLiteral("vezozil-test-script-") + id;
    Sleeper plain(dir, shortName, {});
    Sleeper longer(dir, longName, {});
    Sleeper script(dir, scriptName, "#!/bin/sh\nread line\n");
    for (Sleeper* s : {&plain, &longer, &script})
        ASSERT_TRUE(s->process.waitForStarted(5000));

    SystemDesktop desktop;
    desktop.killProcesses(shortName + QStringLiteral(".exe"));
    desktop.killProcesses(longName);
    desktop.killProcesses(scriptName);
    for (Sleeper* s : {&plain, &longer, &script}) {
        EXPECT_TRUE(s->process.waitForFinished(5000));
        EXPECT_EQ(s->process.exitStatus(), QProcess::CrashExit);
    }
}

TEST(Desktop, LeavesAnotherUsersProcessOfTheSameNameRunning)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "starting a process as another user needs root";
    ensureCoreApplication();
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::ExeOther);
    const QString name = QStringLiteral("vzu") + QString::number(QCoreApplication::applicationPid());
    Sleeper other(dir, name, {}, 65534);
    ASSERT_TRUE(other.process.waitForStarted(5000));
    // Until setpriv has become the sleeper, the process carries setpriv's name.
    QFile comm(QStringLiteral("/proc/%1/comm").arg(other.process.processId()));
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired() && comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() != name) {
        comm.close();
        QThread::msleep(10);
    }

    SystemDesktop desktop;
    desktop.killProcesses(name);
    EXPECT_FALSE(other.process.waitForFinished(500)) << "another user's process was ended";
}

TEST(Desktop, StartsARealProgramDetachedInItsFolder)
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("radyo"));
    QFile f(program);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\ntouch \"$PWD/calisti\"\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    SystemDesktop desktop;
    desktop.openDocument(program);
    const QString mark = dir.filePath(QStringLiteral("calisti"));
    const QDeadlineTimer deadline(5000);
    while (!QFile::exists(mark) && !deadline.hasExpired())
        QThread::msleep(10);
    EXPECT_TRUE(QFile::exists(mark));
}
