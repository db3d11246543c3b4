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
        {210, {"", "", {}}}, // another user's process: nothing can be read
        {211, {"/usr/bin/vlc", "vlc", {"/usr/bin/vlc"}}},
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
    testing::Values(KillCase{"vlc", {201, 211}},             // every process of the name, not vlc-wrapper
                    KillCase{"radyo", {203}},                // a script, by its command name
                    KillCase{"winamp.exe", {204, 205}},      // wine's process and the Linux program
                    KillCase{"WINAMP.EXE", {}},              // names keep their letter case
                    KillCase{"audacious", {206}},            // replaced on disk while running
                    KillCase{"vezozil-radio-player", {207}}, // longer than the kernel's command name
                    KillCase{"Radyo Çalar", {209}},          // blanks belong to the name
                    KillCase{"vezozil", {}},                 // never the program itself
                    KillCase{"vlc; rm -rf ~", {}},           // nothing runs the name as a command
                    KillCase{"/usr/bin/vlc", {}},            // a path is no image name
                    KillCase{"", {}}));

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
    Sleeper(const QTemporaryDir& dir, const QString& name, const QByteArray& script)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        if (script.isEmpty())
            QFile::copy(QStringLiteral("/bin/sleep"), path);
        else if (f.open(QIODevice::WriteOnly))
            f.write(script);
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        process.start(path, script.isEmpty() ? QStringList{QStringLiteral("30")} : QStringList{});
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
