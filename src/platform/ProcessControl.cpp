#include "platform/ProcessControl.h"

#include "common/Log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/syscall.h>
#include <sys/types.h>
#include <unistd.h>

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
    return process.startDetached();
}

bool SystemProcessControl::shellOpen(const QString& target)
{
    Q_UNUSED(target);
    return false; // no ShellExecute here: the desktop opens documents through xdg-open
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
    return ::getuid();
}

qint64 SystemProcessControl::ownPid()
{
    return QCoreApplication::applicationPid();
}

bool SystemProcessControl::killPinned(qint64 pid, const std::function<bool()>& stillMatches)
{
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
}

QString SystemProcessControl::systemDirectory()
{
    return QString();
}
