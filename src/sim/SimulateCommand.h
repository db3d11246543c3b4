#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

// "vezozil --dir DIR --simulate FROM UNTIL [--summary] [--tick-by-tick]": rehearses the bells of DIR
// from FROM to UNTIL (local times YYYY-MM-DDTHH:MM:SS) under a simulated clock, without a window, sound
// card or relay, and prints one line per event to `out`, or with --summary one line per day. `arguments` are the program's arguments as
// QCoreApplication::arguments() gives them; a leading program name is skipped. Returns the exit
// status: 0, or 2 after a one-line usage message on standard error for a malformed command line.
int runSimulateCommand(const QStringList& arguments, QTextStream& out);

struct SimulateArguments
{
    QString dir;
    QDateTime from;
    QDateTime until;
    bool summary = false;    // one line per day instead of the events
    bool tickByTick = false; // every second ticked, none skipped: the events are the same, only slower
};

// The command line read; on failure `error` says what is wrong with it.
struct SimulateCommandLine
{
    std::optional<SimulateArguments> arguments;
    QString error;
};
SimulateCommandLine parseSimulateArguments(const QStringList& arguments);

// The rehearsal of a command line already read; returns the exit status.
int runSimulation(const SimulateArguments& arguments, QTextStream& out);

// A local time written YYYY-MM-DDTHH:MM:SS; invalid for any other text or a time the local clock
// skips.
QDateTime parseSimulateTime(const QString& text);
