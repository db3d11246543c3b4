#pragma once

#include "platform/ProcessControl.h"

// The real system calls on Windows: programs started without a console window, documents opened by
// the shell, and the system folder. Processes are ended by taskkill, so the process table is not read.
class WindowsProcessControl : public ProcessControl
{
public:
    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory = QString()) override;
    bool shellOpen(const QString& target) override;
    QList<qint64> processIds() override { return {}; }
    QString executablePath(qint64) override { return QString(); }
    QString commandName(qint64) override { return QString(); }
    QStringList commandLine(qint64) override { return {}; }
    qint64 realUid(qint64) override { return -1; }
    qint64 ownRealUid() override { return -1; }
    qint64 ownPid() override;
    bool killPinned(qint64, const std::function<bool()>&) override { return false; }
    QString systemDirectory() override;
};
