#pragma once

#include <QString>
#include <QStringList>

// The program's arguments, without its own name, as they were given. On Windows they come from the wide
// command line: argv holds only what the ANSI code page can write, and a folder's name may hold more.
QStringList programArguments(int argc, char** argv);

// How a command line splits into words; on Windows as CommandLineToArgvW splits it (the first word is
// the program), elsewhere at blanks. The autostart's saved command line must come back whole.
QStringList splitCommandLine(const QString& line);

// Standard output and error carry exactly the bytes the program writes: a rehearsal's lines end in LF on
// every platform, so two platforms' rehearsals compare byte for byte. Windows' C runtime would otherwise
// write CR LF for each LF.
void useExactStandardStreams();
