#pragma once

#include <QElapsedTimer>

// Tells systemd how the program is doing, for a unit of Type=notify with a watchdog: ready after the
// first tick, alive from every tick (the tick runs only while the event loop runs, so a hung loop
// stops the pings and systemd restarts the program), and stopping at the unload. Where the program
// is not started by such a unit (NOTIFY_SOCKET unset), and on Windows, nothing is sent.
class SystemdNotifier
{
public:
    SystemdNotifier();

    void ready();
    void watchdog(); // from the tick; sends at a quarter of the watchdog's time, so a late tick is no alarm
    void stopping();

private:
    bool send(const char* state);

    qint64 m_watchdogMs = 0; // 0: no watchdog wanted
    QElapsedTimer m_sinceLastPing;
};
