#pragma once

#include "engine/Controller.h"
#include "engine/MainModel.h"
#include "sim/SimDevices.h"
#include "sim/SimEventLog.h"

#include <QDateTime>
#include <QTextStream>

// A rehearsal of the bells on a program folder: the real start-up, rules and tick under a manual
// clock, with simulated sound, relay and desktop that print what they are told.
class Simulation
{
public:
    Simulation(const QString& programFolder, const QDateTime& from, QTextStream& out);

    // Keeps this process on the time zone it has. With TZ unset, the C library looks at
    // /etc/localtime again on every local-time conversion, several times a tick: half the time of a
    // rehearsed week. For a process that only rehearses; the real program must notice a change.
    static void holdTimeZone();

    // Before start(), a caller may set the window's controls as the settings files would.
    Controller& controller() { return m_controller; }
    MainModel& model() { return m_model; }

    // The start-up at the start time. False when it refused to run.
    bool start();
    // One tick at every whole second after the clock's time up to `until`, inclusive; stops after
    // the main window has been unloaded.
    void runUntil(const QDateTime& until);
    bool ended() const { return m_shell.quitRequested() || m_controller.s.unloaded; }
    qint64 ticks() const { return m_ticks; }

private:
    SimTime m_time;
    SimEventLog m_log;
    ProgramFolder m_folder;
    SimRelayPort m_port;
    SimWavPlayer m_wav;
    SimMusicPlayer m_music;
    SimDesktop m_desktop;
    SimDialogs m_dialogs;
    SimShell m_shell;
    SimInstanceGuard m_instance;
    NullClockSync m_clockSync; // a rehearsal's clock is its own: nothing to ask the system
    MainModel m_model;
    Controller m_controller;
    qint64 m_ticks = 0;
};
