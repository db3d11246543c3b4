#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The few system calls the desktop backend makes, behind one seam: tests record what would be
// started or killed without touching a real process or powering anything off.
class ProcessControl
{
public:
    virtual ~ProcessControl() = default;

    // Starts a program with its arguments, never through a shell, and does not wait for it.
    // False when it could not be started (not found, not executable).
    virtual bool startDetached(const QString& program, const QStringList& arguments,
                               const QString& workingDirectory = QString()) = 0;
    // Windows: ShellExecuteW with the verb "open". Elsewhere it always fails.
    virtual bool shellOpen(const QString& target) = 0;

    // The process table (Linux /proc). Readers return an empty text, or -1, for a process that has
    // gone or that may not be read.
    virtual QList<qint64> processIds() = 0;
    virtual QString executablePath(qint64 pid) = 0;  // /proc/<pid>/exe, as the link reads
    virtual QString commandName(qint64 pid) = 0;     // /proc/<pid>/comm, cut to 15 bytes by the kernel
    virtual QStringList commandLine(qint64 pid) = 0; // /proc/<pid>/cmdline, split at NUL
    virtual qint64 realUid(qint64 pid) = 0;          // the real uid in /proc/<pid>/status
    virtual qint64 ownRealUid() = 0;
    virtual qint64 ownPid() = 0;

    // Pins the process (a pidfd), then asks `stillMatches` (which reads /proc/<pid> again) and sends
    // SIGKILL through the pin only when it agrees. A process that ended and whose pid went to another
    // one meanwhile is never hit: the pin still names the old process, and the signal finds it gone.
    // True when the signal was sent.
    virtual bool killPinned(qint64 pid, const std::function<bool()>& stillMatches) = 0;

    // Windows: the system's own folder (System32), where taskkill.exe and shutdown.exe live; a copy of
    // either in the program folder or on the PATH must never run instead. Empty elsewhere.
    virtual QString systemDirectory() = 0;
};

// The real system calls on Linux.
class SystemProcessControl : public ProcessControl
{
public:
    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory = QString()) override;
    bool shellOpen(const QString& target) override;
    QList<qint64> processIds() override;
    QString executablePath(qint64 pid) override;
    QString commandName(qint64 pid) override;
    QStringList commandLine(qint64 pid) override;
    qint64 realUid(qint64 pid) override;
    qint64 ownRealUid() override;
    qint64 ownPid() override;
    bool killPinned(qint64 pid, const std::function<bool()>& stillMatches) override;
    QString systemDirectory() override;
};
