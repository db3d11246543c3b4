#pragma once

#include "platform/Desktop.h"
#include "platform/InstanceGuard.h"

#include <QString>

#include <memory>

// This platform's desktop and single-instance lock, chosen here and nowhere else.
std::unique_ptr<Desktop> createSystemDesktop();
std::unique_ptr<InstanceGuard> createInstanceGuard(const QString& programFolder);
