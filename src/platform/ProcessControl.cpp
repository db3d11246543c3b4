#include "platform/ProcessControl.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <shellapi.h>
#else
#include <csignal>
#include <sys/types.h>
#include <unistd.h>
#endif

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

bool SystemProcessControl::kill(qint64 pid)
{
#ifdef Q_OS_WIN
    Q_UNUSED(pid);
    return false;
#else
    return ::kill(static_cast<pid_t>(pid), SIGKILL) == 0;
#endif
}

qint64 SystemProcessControl::ownPid()
{
    return QCoreApplication::applicationPid();
}
