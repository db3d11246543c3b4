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
    bool kill(qint64 pid) override
    {
        killed << pid;
        return processes.remove(pid) > 0;
    }
    qint64 ownPid() override { return self; }

    QMap<qint64, Process> processes;
    QStringList unstartable; // programs whose start fails
    std::vector<Start> starts;
    QStringList shellOpened;
    QList<qint64> killed;
    qint64 self = 1000;
};
