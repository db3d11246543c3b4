#pragma once

#include "engine/Amplifier.h"
#include "engine/BellEngine.h"
#include "engine/BreakActivities.h"
#include "engine/BreakMusic.h"
#include "engine/BreakProgram.h"
#include "engine/CalendarCommands.h"
#include "engine/CalendarRules.h"
#include "engine/Ceremony.h"
#include "engine/Clock.h"
#include "engine/ClockWatch.h"
#include "engine/ControllerState.h"
#include "engine/DayRules.h"
#include "engine/Dialogs.h"
#include "engine/MainModel.h"
#include "engine/Melodies.h"
#include "engine/OperatorCommands.h"
#include "engine/RelaySetup.h"
#include "engine/Startup.h"
#include "engine/TrayMenu.h"
#include "engine/WindowShell.h"
#include "platform/ClockSync.h"
#include "platform/Desktop.h"
#include "platform/InstanceGuard.h"
#include "relay/RelayPort.h"
#include "schedule/AppSettings.h"
#include "schedule/ProgramFolder.h"
#include "sound/MusicPlayer.h"
#include "sound/WavPlayer.h"

#include <QObject>

// The devices and desktop services the controller works with; main.cpp passes the real ones,
// tests and rehearsals their own.
struct Devices
{
    Clock& clock;
    RelayPort& port;
    WavPlayer& wav;
    MusicPlayer& music;
    Desktop& desktop;
    Dialogs& dialogs;
    WindowShell& shell;
    InstanceGuard& instance;
    ClockSync& clockSync;
};

// The main window's behaviour without its widgets: the shared state, the tick and every handler.
// The parts are plain members that reach each other through the controller, as the operations of
// one window do; everything runs on the one event-loop thread.
class Controller : public QObject
{
    Q_OBJECT
public:
    Controller(MainModel& model, const Devices& devices, const ProgramFolder& folder);

    bool Form_Load() { return startup.Form_Load(); }
    void Timer1_Timer();

    // The seconds up to `last` passed without a tick because nothing could happen in them (a rehearsal
    // skips them): the next tick has no clock jump to report.
    void passedQuietly(const QDateTime& last) { m_previousTick = last; }

    // Reads today's timetable into the grid, emptying boxes the file does not reach: the weekday's file,
    // or the day type's when one is named.
    void loadDay(const QString& dayName, const QString& dayType = QString());

    // A rehearsal reads a school's folder, often beside the running program, and must leave it as it
    // was: its unload does not save the port choice.
    bool savePortOnUnload = true;

    // The shipped national calendar, read at start-up; empty: none (the tests' controllers).
    QString nationalCalendarPath;

    ControllerState s;
    // Our own settings from "ayarlar.ini" (amplifier warm-up, relay kind), read at start-up.
    AppSettings settings;
    MainModel& m;
    Devices d;
    const ProgramFolder folder;

    Amplifier amp{*this};
    Melodies melodies{*this};
    BreakMusic music{*this};
    BreakProgram program{*this};
    Ceremony ceremony{*this};
    CalendarRules calendar{*this};
    CalendarCommands calendarCommands{*this};
    BellEngine bells{*this};
    BreakActivities breaks{*this};
    DayRules dayRules{*this};
    Startup startup{*this};
    OperatorCommands commands{*this};
    TrayMenu tray{*this};
    RelaySetup relaySetup{*this};
    ClockWatch clockWatch{*this};

private:
    QDateTime m_previousTick;

Q_SIGNALS:
    void dayLoaded(const QString& dayName);
    // A bell of the grid started its melody in this tick (the summary of a rehearsal counts them).
    void bellRang(const QString& minute);
    void unloaded();

private:
    QDate m_frame1Date; // the date the caption of Frame1 shows
};
