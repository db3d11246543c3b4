#include "platform/ClockSync.h"

#include <QtGlobal>

#if defined(Q_OS_LINUX)
#include "platform/LinuxClockSync.h"
#endif

std::unique_ptr<ClockSync> createSystemClockSync()
{
#if defined(Q_OS_LINUX)
    return std::make_unique<LinuxClockSync>();
#else
    return std::make_unique<NullClockSync>();
#endif
}
