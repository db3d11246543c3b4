#pragma once

#include "platform/Desktop.h"
#include "platform/InstanceGuard.h"
#include "platform/ProcessControl.h"

#include <QString>

#include <memory>

// This platform's desktop, single-instance lock and processes, chosen here and nowhere else.
std::unique_ptr<Desktop> createSystemDesktop();
std::unique_ptr<InstanceGuard> createInstanceGuard(const QString& programFolder);
std::unique_ptr<ProcessControl> createProcessControl();
