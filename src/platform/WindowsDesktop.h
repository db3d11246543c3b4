#pragma once

#include "platform/Desktop.h"
#include "platform/ProcessControl.h"

#include <memory>

// The desktop on Windows. Documents, programs and web pages open through the shell's "open"; processes
// end by the system's own "taskkill /F /IM <name>" and the computer shuts down by "shutdown -s", both
// run from the system folder by full path, so a file of that name in the program folder or on the
// PATH never runs instead. Nothing goes through cmd.exe, and the image name is one argument.
class WindowsDesktop : public Desktop
{
public:
    WindowsDesktop(); // the real system calls
    explicit WindowsDesktop(ProcessControl& control);
    ~WindowsDesktop() override;

    void openDocument(const QString& path) override;
    void killProcesses(const QString& imageName) override;
    void shutdown() override;
    void openUrl(const QString& url) override;

private:
    QString systemTool(const QString& exe);

    std::unique_ptr<ProcessControl> m_own;
    ProcessControl& m_control;
};
