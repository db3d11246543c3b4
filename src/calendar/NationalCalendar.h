#pragma once

#include "calendar/CalendarEntry.h"

#include <QList>
#include <QString>

// The national calendar: the official holidays of every year, the religious holidays of the years the
// Diyanet has published, and the 10 Kasım ceremony. It ships with the program, read-only, and is
// updated with it; it is never copied into a program folder, where it would go stale.
namespace NationalCalendar {

inline const QString FileName = QStringLiteral("resmi-tatiller.ics");

// Where the shipped file is, for the executable in `executableDir`, looked for in this order:
//  1. beside the executable: the build tree, a portable or a Windows install;
//  2. <executableDir>/../share/vezozil-takvim: an install moved to another prefix;
//  3. where the package installs it (<prefix>/share/vezozil-takvim).
// Empty when there is none.
QString locate(const QString& executableDir);

// Its entries, each marked national, as Resmî tatil unless marked Dinî bayram. A file that is missing
// or cannot be read gives none, with a warning in the journal: the school's calendar still applies.
QList<CalendarEntry> load(const QString& path);

} // namespace NationalCalendar
