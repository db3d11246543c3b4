#pragma once

#include "schedule/ProgramFolder.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <functional>

namespace TextFile {
// A longer line is cut here, and the rest of it skipped, so a binary file is read in bounded memory.
constexpr qsizetype MaxLineBytes = 64 * 1024;

// True when `path` itself is a regular file, not a link to one. Checked without blocking, so a FIFO or
// a device put in the program folder's place is refused rather than hanging the program on its open.
bool isRegularFile(const QString& path);

// Opens `path` for reading into `file` only when it is a regular file, in one open that never blocks
// on a FIFO or device in its place. False when it is missing (not logged), not a regular file or
// unreadable (both logged).
bool openRegular(QFile& file, const QString& path);

// Calls `line` for each line of the file, with its 1-based number, up to `limit` lines; lines past the
// limit are not read. A missing or unreadable file, or anything but a regular file (a FIFO, a device, a
// folder), reads as empty; all but a missing one are logged. Returns the number of lines given.
int forEachLine(const QString& path, int limit,
                const std::function<void(int number, const QString& text)>& line);

// Writes each line followed by CR LF, replacing the file atomically and creating its folder.
// Returns false, and leaves any old file whole, when the file cannot be written or something other
// than a regular file (a link planted in its place) stands there.
bool writeLines(const QString& path, const QStringList& lines);

// As writeLines, for a file of the program folder saved under the spelling given: another spelling
// of the same name that exists ("melodi.txt" for "Melodi.txt") is replaced, so one file remains.
bool saveLines(const ProgramFolder& folder, const QString& relative, const QStringList& lines);

// Test seam: the next write stops after the first half of its bytes, as a crash or power cut would,
// and reports failure. Only tests call it; it shows that an interrupted save leaves the old file whole.
void interruptNextWrite();

QString quoted(const QString& value);    // "value"
QString unquoted(const QString& line);   // the line without its first and last character
QString quotedTime(const QString& line); // the five characters after the first
} // namespace TextFile
