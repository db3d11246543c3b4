#pragma once

#include "platform/Desktop.h"
#include "platform/ProcessControl.h"

#include <memory>

// The desktop on this machine. Nothing goes through a shell and nothing waits: programs are started
// detached with argument lists, so no name or path can smuggle in a command.
//
// Ending processes by image name: on Windows "taskkill /F /IM <name>", the name one argument. On
// Linux every process of ours whose executable's file name, or whose command name, is exactly the
// name gets SIGKILL. A Windows name such as "winamp.exe" also matches a Linux program "winamp"
// without the suffix, so a timetable brought over from a Windows PC still ends its player. The
// program never ends itself.
class SystemDesktop : public Desktop
{
public:
    SystemDesktop(); // the real system calls
    explicit SystemDesktop(ProcessControl& control);
    ~SystemDesktop() override;

    void openDocument(const QString& path) override;
    void killProcesses(const QString& imageName) override;
    void shutdown() override;
    void openUrl(const QString& url) override;

    // The pids killProcesses would end on Linux; exposed for the log and for tests.
    QList<qint64> matchingProcesses(const QString& imageName);

private:
    bool matches(qint64 pid, const QStringList& names);

    std::unique_ptr<ProcessControl> m_own;
    ProcessControl& m_control;
};
