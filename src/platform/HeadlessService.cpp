#include "platform/HeadlessService.h"

#include "common/Log.h"

#include <QProcess>

bool HeadlessService::isActive(int timeoutMs)
{
#ifdef Q_OS_LINUX
    QProcess systemctl;
    systemctl.start(QStringLiteral("systemctl"),
                    {QStringLiteral("is-active"), QStringLiteral("--quiet"), Unit});
    if (!systemctl.waitForStarted(timeoutMs))
        return false; // no systemd here
    if (!systemctl.waitForFinished(timeoutMs)) {
        qCWarning(lcApp) << "systemd did not say in time whether" << Unit << "is active; taken as not";
        systemctl.kill();
        systemctl.waitForFinished(1000);
        return false;
    }
    return systemctl.exitStatus() == QProcess::NormalExit && systemctl.exitCode() == 0;
#else
    Q_UNUSED(timeoutMs);
    return false;
#endif
}
