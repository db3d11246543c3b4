#pragma once

#include "platform/ProcessControl.h"

#include <QMap>

#include <vector>

// A process table and program starter that only record: nothing is started, killed or shut down.
class FakeProcessControl : public ProcessControl
{
public:
    struct Process
    {
        QString exe;  // the /proc/<pid>/exe link, empty when it may not be read
        QString comm; // as the kernel keeps it (the caller cuts it to 15 bytes)
        QStringList cmdline;
        qint64 uid = 1000; // the real uid; -1 when /proc/<pid>/status may not be read
    };
    struct Start
    {
        QString program;
        QStringList arguments;
        QString workingDirectory;
    };

    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory = QString()) override
    {
        starts.push_back({program, arguments, workingDirectory});
        return !unstartable.contains(program);
    }
    bool shellOpen(const QString& target) override
    {
        shellOpened << target;
        return true;
    }
    QList<qint64> processIds() override { return processes.keys(); }
    QString executablePath(qint64 pid) override { return processes.value(pid).exe; }
    QString commandName(qint64 pid) override { return processes.value(pid).comm; }
    QStringList commandLine(qint64 pid) override { return processes.value(pid).cmdline; }
    qint64 realUid(qint64 pid) override { return processes.contains(pid) ? processes.value(pid).uid : -1; }
    qint64 ownRealUid() override { return ownUid; }
    qint64 ownPid() override { return self; }
    bool killPinned(qint64 pid, const std::function<bool()>& stillMatches) override
    {
        // A process that ends once it has been listed, and whose pid another process takes.
        if (reusedBeforeKill.contains(pid))
            processes[pid] = reusedBeforeKill.take(pid);
        if (!stillMatches())
            return false;
        killed << pid;
        return processes.remove(pid) > 0;
    }
    QString systemDirectory() override { return QStringLiteral("C:\\Windows\\system32"); }

    QMap<qint64, Process> processes;
    QStringList unstartable; // programs whose start fails
    std::vector<Start> starts;
    QStringList shellOpened;
    QList<qint64> killed;
    QMap<qint64, Process> reusedBeforeKill;
    qint64 self = 1000;
    qint64 ownUid = 1000;
};
