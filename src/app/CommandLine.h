#pragma once

#include "sim/SimulateCommand.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

// The program's exit statuses, as scripts and the service manager see them.
namespace ExitStatus {
constexpr int Ok = 0;
constexpr int BadCommandLine = 2;
// The start was refused: another copy runs on the program folder, or the headless service rings the
// bells of this PC. A service manager should not start it again and again.
constexpr int Refused = 3;
} // namespace ExitStatus

// What the command line asks for:
//   vezozil [--dir FOLDER] [--headless]
//   vezozil --dir FOLDER --simulate FROM UNTIL [--summary] [--tick-by-tick]
//   vezozil --help | --version
// Options written with one dash belong to Qt (-platform, -style, -session, ...); a window takes them,
// with the word after one as its value, and every other kind of run refuses them.
struct CommandLine
{
    enum class Action { Run, Simulate, Help, Version, Refuse };

    Action action = Action::Run;
    bool headless = false;
    QString dir;                               // as given; empty when not given
    std::optional<SimulateArguments> simulate; // Simulate
    QString error;                             // Refuse: what is wrong, in one line

    // `arguments` without the program's own name.
    static CommandLine parse(const QStringList& arguments);
    static CommandLine parse(int argc, char** argv);
};

// The text of --help.
QString usageText();

// Each prints what the action asks for and returns the exit status for it.
int printHelp(std::FILE* to = stdout);
int printVersion();
int refuseCommandLine(const QString& error);
