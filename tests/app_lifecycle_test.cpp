// The real program's start and end: every way it is asked to end passes through the one unload, which
// saves the port choice and removes the tray icon, and the process then ends with status 0.
#include "schedule/DayTable.h"
#include "support/FakeSessionManager.h"
#include "support/QuietSchoolRun.h"
#include "support/RunningProgram.h"
#include "support/SchoolFolder.h"
#include "support/TestSupport.h"
#include "support/XServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
const QString LibFaketime = QStringLiteral("/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1");

// The start and end of the real program, with its own runtime folder and, where asked, a faked clock.
class Lifecycle : public QuietSchoolRun
{
protected:
    QProcessEnvironment environment(const char* fakeTime = nullptr) const
    {
        QProcessEnvironment env = quietEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        if (fakeTime) {
            env.insert(QStringLiteral("LD_PRELOAD"), LibFaketime);
            addSanitizerOption(env, "verify_asan_link_order=0");
            env.insert(QStringLiteral("FAKETIME"), QString::fromLatin1(fakeTime));
        }
        return env;
    }
    QStringList arguments(const QStringList& more = {}) const
    {
        return QStringList{"--dir", school.path()} + more;
    }

    // The unload ran once, and the program ended with status 0.
    void expectUnloadedAndEnded(RunningProgram& program, const char* what)
    {
        EXPECT_TRUE(program.endsWith(0)) << what << "\n" << program.log().toStdString();
        EXPECT_EQ(program.count("unloaded: port choice saved, tray icon removed"), 1) << what;
        EXPECT_EQ(school.snapshot().value(QStringLiteral("port.txt")), QByteArray("0\r\n")) << what;
    }

    QTemporaryDir runtime;
};

bool haveFaketime()
{
    return QFile::exists(LibFaketime);
}
} // namespace

TEST_F(Lifecycle, EverySignalToEndPassesThroughTheUnload)
{
    const struct
    {
        const char* name;
        int signal;
        bool headless;
    } cases[] = {
        {"SIGTERM", SIGTERM, false},          {"SIGINT", SIGINT, false},          {"SIGHUP", SIGHUP, false},
        {"SIGTERM, headless", SIGTERM, true}, {"SIGINT, headless", SIGINT, true},
    };
    for (const auto& c : cases) {
        SetUp();
        RunningProgram program(arguments(c.headless ? QStringList{"--headless"} : QStringList{}),
                               environment());
        ASSERT_TRUE(program.waitForLog("first tick")) << c.name << program.log().toStdString();
        program.signal(c.signal);
        expectUnloadedAndEnded(program, c.name);
    }
}

TEST_F(Lifecycle, WeekendCloseEndsTheProgramAndMondayStartsAgain)
{
    if (!haveFaketime())
        GTEST_SKIP() << "libfaketime is not installed";
    school.melodi({.weekendClose = true});
    const struct
    {
        const char* name;
        const char* time;
    } cases[] = {
        {"a Saturday start: the first tick closes it", "@2026-12-12 09:59:50"},
        {"Friday night: the tick at midnight closes it", "@2026-12-11 23:59:58"},
    };
    for (const auto& c : cases) {
        school.writeLines(QStringLiteral("port.txt"), {QStringLiteral("0"), QStringLiteral("0")});
        RunningProgram weekend(arguments(), environment(c.time));
        EXPECT_TRUE(weekend.waitForLog("weekend: the program closes itself")) << c.name;
        expectUnloadedAndEnded(weekend, c.name);

        // The folder is free again: Monday's start runs its clock.
        RunningProgram monday(arguments(), environment("@2026-12-14 07:00:00"));
        EXPECT_TRUE(monday.waitForLog("first tick")) << c.name << monday.log().toStdString();
        EXPECT_FALSE(monday.log().contains(QStringLiteral("weekend"))) << c.name;
        monday.signal(SIGTERM);
        EXPECT_TRUE(monday.endsWith(0)) << c.name;
    }
}

TEST_F(Lifecycle, WindowOnAnXServerEndsByItsCloseBoxOrTheEndOfTheSession)
{
    XServer x;
    if (x.display().isEmpty())
        GTEST_SKIP() << "Xvfb could not be started";
    const struct
    {
        const char* name;
        bool sessionEnds;
    } cases[] = {{"the close box", false}, {"the end of the desktop session", true}};
    for (const auto& c : cases) {
        SetUp();
        FakeSessionManager manager;
        ASSERT_FALSE(manager.address().isEmpty());
        QProcessEnvironment env = x.environmentFor(environment());
        env.insert(QStringLiteral("SESSION_MANAGER"), manager.address());
        RunningProgram program(arguments(), env);
        // The program registers with the session manager as it starts, and waits for its answer.
        ASSERT_TRUE(manager.pumpUntil([&] { return program.waitForLog("first tick", 20); }, 30000))
            << c.name << program.log().toStdString();
        ASSERT_TRUE(manager.hasClient()) << c.name;
        if (c.sessionEnds) {
            // A save point of the running session ends nothing.
            manager.saveYourself(false);
            ASSERT_TRUE(manager.pumpUntil([&] { return manager.events().count("save-done") == 1; }, 20000));
            EXPECT_FALSE(program.waitForLog("unloaded", 500)) << program.log().toStdString();
            manager.saveYourself(true);
            ASSERT_TRUE(manager.pumpUntil([&] { return manager.events().count("save-done") == 2; }, 20000));
            manager.die();
        } else {
            // Asked again until it is seen: a request that comes while the window is still being
            // shown is lost, as no one can click a close box that early.
            ASSERT_TRUE(manager.pumpUntil(
                [&] {
                    return x.closeWindowOf(program.pid()) && program.waitForLog("main window closed", 300);
                },
                20000))
                << c.name << program.log().toStdString();
        }
        manager.pumpUntil([&] { return !program.running(); }, 20000);
        expectUnloadedAndEnded(program, c.name);
    }
}

TEST_F(Lifecycle, StoredFilesThatAreNotRegularFilesCannotHangTheStart)
{
    QStringList fifos{QStringLiteral("melodi.txt"), QStringLiteral("kapat.txt"),
                      QStringLiteral("muzikler.txt"), QStringLiteral("uygulama.txt"),
                      QStringLiteral("ayarlar.ini")};
    for (const QString& day : DayTable::names())
        fifos << QStringLiteral("saatler/") + day + QStringLiteral(".txt");
    for (const QString& f : fifos) {
        QFile::remove(school.filePath(f));
        ASSERT_EQ(::mkfifo(QFile::encodeName(school.filePath(f)).constData(), 0600), 0) << f.toStdString();
    }
    for (const bool headless : {false, true}) {
        RunningProgram program(arguments(headless ? QStringList{"--headless"} : QStringList{}),
                               environment());
        EXPECT_TRUE(program.waitForLog("first tick")) << program.log().toStdString();
        EXPECT_GE(program.count("is not a regular file"), 3) << program.log().toStdString();
        EXPECT_EQ(program.count("is empty or cannot be read: no bells today"), 1);
        program.signal(SIGTERM);
        EXPECT_TRUE(program.endsWith(0));
    }
}

namespace {
// The receiving end of systemd's notification socket.
struct NotifySocket
{
    NotifySocket()
    {
        fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path());
        std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
        bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        clock.start();
    }
    ~NotifySocket() { ::close(fd); }
    QString path() const { return dir.filePath(QStringLiteral("notify")); }

    // Collects what arrives, with the time it came, until `text` has come `times` times in all or the
    // time is up.
    bool waitFor(const QByteArray& text, int times = 1, int timeoutMs = 20000)
    {
        const QDeadlineTimer deadline(timeoutMs);
        while (messages.count(text) < times && !deadline.hasExpired()) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0)
                continue;
            char buffer[256];
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0)
                continue;
            messages << QByteArray(buffer, int(n));
            if (messages.last() == "WATCHDOG=1")
                pings << clock.elapsed();
        }
        return messages.count(text) >= times;
    }

    QTemporaryDir dir;
    int fd = -1;
    bool bound = false;
    QElapsedTimer clock;
    QList<QByteArray> messages;
    QList<qint64> pings; // when each WATCHDOG=1 came, in ms
};
} // namespace

// What systemd hears, from a unit of Type=notify with a watchdog. The weekend close of a window ends
// the run as a success, after ready, so Restart=on-failure does not start it again all weekend; the
// headless service, which nothing would start again on Monday, stays up and silent instead.
TEST_F(Lifecycle, ServiceManagerHearsReadyAliveAndStopping)
{
    if (!haveFaketime())
        GTEST_SKIP() << "libfaketime is not installed";
    const struct
    {
        const char* name;
        bool headless;
        const char* time;
        bool endsAlone; // the weekend close
    } cases[] = {
        {"headless on a Monday", true, "@2026-12-14 07:00:00", false},
        {"window on a Monday", false, "@2026-12-14 07:00:00", false},
        {"window at the weekend close", false, "@2026-12-12 09:59:50", true},
        {"headless over a weekend's midnight", true, "@2026-12-12 23:59:58", false},
    };
    constexpr qint64 WatchdogMs = 6000;
    for (const auto& c : cases) {
        SetUp();
        school.melodi({.weekendClose = true});
        school.day(QStringLiteral("Pazar"), {{0, QStringLiteral("00:00")}});
        NotifySocket systemd;
        ASSERT_TRUE(systemd.bound);
        QProcessEnvironment env = environment(c.time);
        env.insert(QStringLiteral("NOTIFY_SOCKET"), systemd.path());
        env.insert(QStringLiteral("WATCHDOG_USEC"), QString::number(WatchdogMs * 1000));
        RunningProgram program(arguments(c.headless ? QStringList{"--headless"} : QStringList{}), env);
        ASSERT_TRUE(systemd.waitFor("READY=1")) << c.name << program.log().toStdString();
        EXPECT_EQ(systemd.messages.first(), QByteArray("READY=1"))
            << c.name << ": ready only after the start";
        if (c.endsAlone) {
            EXPECT_TRUE(systemd.waitFor("STOPPING=1")) << c.name;
            expectUnloadedAndEnded(program, c.name);
            continue;
        }
        // The first ping comes with the start, the next ones from later ticks, soon enough: the fourth
        // comes from a tick three seconds later at least.
        ASSERT_TRUE(systemd.waitFor("WATCHDOG=1", 4)) << c.name;
        for (qsizetype i = 1; i < systemd.pings.size(); ++i)
            EXPECT_LE(systemd.pings.at(i) - systemd.pings.at(i - 1), WatchdogMs / 2) << c.name;
        EXPECT_TRUE(program.running()) << c.name;
        program.signal(SIGTERM);
        EXPECT_TRUE(systemd.waitFor("STOPPING=1")) << c.name;
        expectUnloadedAndEnded(program, c.name);
        if (QByteArray(c.name).contains("weekend")) { // Saturday, and Sunday from its first second
            EXPECT_EQ(program.count("weekend: no bells today"), 2) << "once a day";
            EXPECT_EQ(program.count("bell \"00:00\""), 0) << "Sunday's bell is silent";
        }
    }
}
