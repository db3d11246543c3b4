#pragma once

#include <QElapsedTimer>

// Tells systemd how the program is doing, for a unit of Type=notify with a watchdog: ready after the
// first tick, alive from every tick (the tick runs only while the event loop runs, so a hung loop
// stops the pings and systemd restarts the program), and stopping at the unload. A run that ends in
// its first tick (the weekend close) still says ready before stopping: an exit before ready is a
// failed start to systemd, which would start the program again and again. Where the program is not
// started by such a unit (NOTIFY_SOCKET unset), and on Windows, nothing is sent.
class SystemdNotifier
{
public:
    SystemdNotifier();

    void ready(); // once
    // From the tick. Sent when an eighth of the watchdog's time has passed, so the pings come at
    // least every half of it even when a tick is a second late, and not every second of a long one.
    void watchdog();
    void stopping(); // says ready first when that has not been said

private:
    bool send(const char* state);

    qint64 m_watchdogMs = 0; // 0: no watchdog wanted
    bool m_ready = false;
    QElapsedTimer m_sinceLastPing;
};
