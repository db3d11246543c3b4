#pragma once

#include "engine/Controller.h"
#include "engine/MainModel.h"
#include "sim/SimDevices.h"
#include "sim/SimEventLog.h"

#include <QDateTime>
#include <QTextStream>

struct SimulationOptions
{
    // One line per day instead of the events: the date, the rules, the number of bells, the first and
    // the last bell.
    bool summary = false;
    // Every second ticked: the same output, only slower.
    bool tickByTick = false;
};

// A rehearsal of the bells on a program folder: the real start-up, rules and tick under a manual
// clock, with simulated sound, relay and desktop that print what they are told. After each "day" line
// come the calendar's rules for that day, one "calendar <rule> <name>" line each.
//
// Seconds in which provably nothing can happen pass without a tick: the last tick changed nothing, and
// before the next one no sound ends and no bell, look-ahead, warm-up, ceremony, timed-holiday start,
// shutdown or change of day is due.
class Simulation
{
public:
    Simulation(const QString& programFolder, const QDateTime& from, QTextStream& out,
               SimulationOptions options = {});

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
    // The summary's line of the last day rehearsed; without a summary, nothing.
    void finish();
    bool ended() const { return m_shell.quitRequested() || m_controller.s.unloaded; }
    // Seconds rehearsed, and of them the ones that ran a tick.
    qint64 ticks() const { return m_ticks; }
    qint64 ticksRun() const { return m_ticksRun; }

private:
    // What a tick can change, as the last tick left it: a tick that leaves all of it as it found it and
    // prints nothing did nothing.
    struct Trace
    {
        ControllerState state;
        MainModelData model;
    };
    bool tickChangedNothing(qint64 eventsBefore);
    void skipQuietSeconds(qint64 end);
    void dayBegins(const QString& dayName);
    void printSummary();
    // The rules of today as the rehearsal names them: "tatil Cumhuriyet Bayramı", "gun-turu-yok Sınav".
    QStringList calendarLines() const;

    SimulationOptions m_options;
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
    qint64 m_ticksRun = 0;
    Trace m_last;        // its model's grid is kept apart, in m_lastGrid
    DaySchedule m_lastGrid;

    struct DaySummary
    {
        QDate date;
        QString rules;
        QStringList bells;
    };
    std::optional<DaySummary> m_day;
};
