#include "platform/SystemBackends.h"

#ifdef Q_OS_WIN
#include "platform/WindowsDesktop.h"
#include "platform/WindowsInstanceGuard.h"
#include "platform/WindowsProcessControl.h"
using PlatformDesktop = WindowsDesktop;
using PlatformInstanceGuard = WindowsInstanceGuard;
using PlatformProcessControl = WindowsProcessControl;
#else
#include "platform/FolderInstanceGuard.h"
#include "platform/ProcessControl.h"
#include "platform/SystemDesktop.h"
using PlatformDesktop = SystemDesktop;
using PlatformInstanceGuard = FolderInstanceGuard;
using PlatformProcessControl = SystemProcessControl;
#endif

std::unique_ptr<Desktop> createSystemDesktop()
{
    return std::make_unique<PlatformDesktop>();
}

std::unique_ptr<InstanceGuard> createInstanceGuard(const QString& programFolder)
{
    return std::make_unique<PlatformInstanceGuard>(programFolder);
}

std::unique_ptr<ProcessControl> createProcessControl()
{
    return std::make_unique<PlatformProcessControl>();
}
