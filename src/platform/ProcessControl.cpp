#include "platform/ProcessControl.h"

#include "common/Log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <shellapi.h>
#else
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/syscall.h>
#include <sys/types.h>
#include <unistd.h>
#endif

#include <utility>

namespace {
QString procFile(qint64 pid, const char* name)
{
    return QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name));
}

QByteArray readSmallFile(const QString& path)
{
    QFile f(path);
    // /proc files report size 0, so read until the end rather than by size; a command line is
    // small, and the cap keeps a hostile one from costing memory.
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    return f.read(64 * 1024);
}
} // namespace

bool SystemProcessControl::startDetached(const QString& program, const QStringList& arguments,
                                         const QString& workingDirectory)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingDirectory);
#ifdef Q_OS_WIN
    // taskkill and shutdown are console tools: started without a console, no black window
    // flashes up on the school's screen.
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* args) {
        args->flags = (args->flags & ~DWORD(CREATE_NEW_CONSOLE)) | CREATE_NO_WINDOW;
    });
#endif
    return process.startDetached();
}

bool SystemProcessControl::shellOpen(const QString& target)
{
#ifdef Q_OS_WIN
    const std::wstring file = QDir::toNativeSeparators(target).toStdWString();
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32; // ShellExecute reports success by a value above 32
#else
    Q_UNUSED(target);
    return false;
#endif
}

QList<qint64> SystemProcessControl::processIds()
{
    QList<qint64> pids;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& e : entries) {
        bool ok = false;
        const qint64 pid = e.toLongLong(&ok);
        if (ok && pid > 0)
            pids << pid;
    }
    return pids;
}

QString SystemProcessControl::executablePath(qint64 pid)
{
    return QFile::symLinkTarget(procFile(pid, "exe"));
}

QString SystemProcessControl::commandName(qint64 pid)
{
    return QString::fromLocal8Bit(readSmallFile(procFile(pid, "comm"))).trimmed();
}

QStringList SystemProcessControl::commandLine(qint64 pid)
{
    QStringList words;
    const QByteArray raw = readSmallFile(procFile(pid, "cmdline"));
    for (const QByteArray& w : raw.split('\0')) {
        if (!w.isEmpty())
            words << QString::fromLocal8Bit(w);
    }
    return words;
}

qint64 SystemProcessControl::realUid(qint64 pid)
{
    // "Uid:\t<real>\t<effective>\t<saved>\t<filesystem>"
    for (const QByteArray& line : readSmallFile(procFile(pid, "status")).split('\n')) {
        if (line.startsWith("Uid:")) {
            bool ok = false;
            const qint64 uid = line.mid(4).simplified().split(' ').value(0).toLongLong(&ok);
            return ok ? uid : -1;
        }
    }
    return -1;
}

qint64 SystemProcessControl::ownRealUid()
{
#ifdef Q_OS_WIN
    return -1;
#else
    return ::getuid();
#endif
}

qint64 SystemProcessControl::ownPid()
{
    return QCoreApplication::applicationPid();
}

bool SystemProcessControl::killPinned(qint64 pid, const std::function<bool()>& stillMatches)
{
#ifdef Q_OS_LINUX
    const int pin = static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0));
    if (pin < 0) {
        if (errno == ESRCH)
            return false; // gone already
        // Without pidfds (a kernel before 5.3, or a sandbox that forbids them) the break program must
        // still end; the check and the kill are then as close together as they can be.
        static bool told = false;
        if (!std::exchange(told, true))
            qCWarning(lcApp) << "pidfd_open is not available:" << strerror(errno)
                             << "- processes are ended by pid";
        return stillMatches() && ::kill(static_cast<pid_t>(pid), SIGKILL) == 0;
    }
    const bool sent = stillMatches() && ::syscall(SYS_pidfd_send_signal, pin, SIGKILL, nullptr, 0) == 0;
    ::close(pin);
    return sent;
#else
    Q_UNUSED(pid);
    Q_UNUSED(stillMatches);
    return false;
#endif
}

QString SystemProcessControl::systemDirectory()
{
#ifdef Q_OS_WIN
    wchar_t folder[MAX_PATH] = {};
    const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        return QString::fromWCharArray(folder, int(n));
    const QString root = qEnvironmentVariable("SystemRoot");
    return root.isEmpty() ? QString() : root + QStringLiteral("\\System32");
#else
    return QString();
#endif
}
