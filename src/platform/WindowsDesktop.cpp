#include "platform/WindowsDesktop.h"

#include "common/Log.h"
#include "platform/WindowsProcessControl.h"

#include <QDir>

WindowsDesktop::WindowsDesktop() : m_own(std::make_unique<WindowsProcessControl>()), m_control(*m_own) {}

WindowsDesktop::WindowsDesktop(ProcessControl& control) : m_control(control) {}

WindowsDesktop::~WindowsDesktop() = default;

QString WindowsDesktop::systemTool(const QString& exe)
{
    const QString folder = m_control.systemDirectory();
    return folder.isEmpty() ? QString() : QDir::toNativeSeparators(QDir(folder).filePath(exe));
}

void WindowsDesktop::openDocument(const QString& path)
{
    if (!path.isEmpty() && !m_control.shellOpen(path))
        qCWarning(lcApp) << "could not open" << path;
}

void WindowsDesktop::killProcesses(const QString& imageName)
{
    if (imageName.isEmpty())
        return;
    const QString taskkill = systemTool(QStringLiteral("taskkill.exe"));
    if (taskkill.isEmpty() ||
        !m_control.startDetached(taskkill, {QStringLiteral("/F"), QStringLiteral("/IM"), imageName}))
        qCWarning(lcApp) << "taskkill cannot be started" << taskkill;
}

void WindowsDesktop::shutdown()
{
    const QString shutdown = systemTool(QStringLiteral("shutdown.exe"));
    if (shutdown.isEmpty() || !m_control.startDetached(shutdown, {QStringLiteral("-s")}))
        qCWarning(lcApp) << "the shutdown command cannot be started" << shutdown;
}

void WindowsDesktop::openUrl(const QString& url)
{
    if (!url.isEmpty() && !m_control.shellOpen(url))
        qCWarning(lcApp) << "could not open" << url;
}
