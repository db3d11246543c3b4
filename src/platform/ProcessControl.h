#pragma once

#include <QList>
#include <QString>
#include <QStringList>

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

    // The process table (Linux /proc). Readers return an empty text for a process that has gone
    // or that may not be read.
    virtual QList<qint64> processIds() = 0;
    virtual QString executablePath(qint64 pid) = 0;  // /proc/<pid>/exe, as the link reads
    virtual QString commandName(qint64 pid) = 0;     // /proc/<pid>/comm, cut to 15 bytes by the kernel
    virtual QStringList commandLine(qint64 pid) = 0; // /proc/<pid>/cmdline, split at NUL
    virtual bool kill(qint64 pid) = 0;               // SIGKILL
    virtual qint64 ownPid() = 0;
};

// The real system calls.
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
    bool kill(qint64 pid) override;
    qint64 ownPid() override;
};
