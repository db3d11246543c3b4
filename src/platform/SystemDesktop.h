#pragma once

#include "platform/Desktop.h"
#include "platform/ProcessControl.h"

#include <memory>

// The desktop on Linux. Nothing goes through a shell and nothing waits: programs are started detached
// with argument lists, so no name or path can smuggle in a command.
//
// Ending processes by image name: SIGKILL goes to every process of the same real uid (run as root: only processes
// root itself started) whose executable's file name, or argv[0]'s, is exactly the name, and to a
// script started under that name; the kernel's cut command name alone never decides. Each process
// is pinned by a pidfd before the kill, so a pid that went to another process is never hit. A
// Windows name such as "winamp.exe" also matches a Linux program "winamp" without the suffix, so a
// timetable brought over from a Windows PC still ends its player. The program never ends itself.
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

    // The pids killProcesses would end; exposed for the log and for tests.
    QList<qint64> matchingProcesses(const QString& imageName);

private:
    bool ours(qint64 pid);
    bool matches(qint64 pid, const QStringList& names);

    std::unique_ptr<ProcessControl> m_own;
    ProcessControl& m_control;
};
