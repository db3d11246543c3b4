#include "platform/SystemdNotifier.h"

#include "common/Log.h"

#include <utility>

#ifdef VEZOZIL_HAVE_SYSTEMD
#include <systemd/sd-daemon.h>

#include <cstring>
#endif

SystemdNotifier::SystemdNotifier()
{
#ifdef VEZOZIL_HAVE_SYSTEMD
    uint64_t usec = 0;
    if (sd_watchdog_enabled(0, &usec) > 0)
        m_watchdogMs = qint64(usec / 1000);
#endif
}

bool SystemdNotifier::send(const char* state)
{
#ifdef VEZOZIL_HAVE_SYSTEMD
    const int sent = sd_notify(0, state);
    if (sent < 0)
        qCWarning(lcApp) << "systemd could not be told" << state << strerror(-sent);
    return sent > 0;
#else
    Q_UNUSED(state);
    return false;
#endif
}

void SystemdNotifier::ready()
{
    if (std::exchange(m_ready, true))
        return;
    if (send("READY=1"))
        qCInfo(lcApp) << "systemd told: ready";
    if (m_watchdogMs > 0) {
        send("WATCHDOG=1");
        m_sinceLastPing.start();
    }
}

void SystemdNotifier::watchdog()
{
    // Not before ready: the first tick runs before the program says it has started.
    if (m_watchdogMs <= 0 || !m_sinceLastPing.isValid() || m_sinceLastPing.elapsed() < m_watchdogMs / 8)
        return;
    send("WATCHDOG=1");
    m_sinceLastPing.start();
}

void SystemdNotifier::stopping()
{
    ready();
    send("STOPPING=1");
}
