#pragma once

#include "schedule/DaySchedule.h"
#include "schedule/ProgramFolder.h"

#include <QStringList>

// Day types: timetables of their own (an exam day, a report-card day, a winter regime of 30-minute
// lessons), each in saatler/ozel/<name>.txt, in the format of the weekday files. A GUN-TURU entry of
// the calendar names one for the days it covers.
namespace DayTypes {

// Why `name` cannot name a day type, in words for the operator; empty when it can. A name is a file
// name on every system the program runs on: none of / \ : * ? " < > |, no control character, not
// empty, "." or "..", no blank or dot at its end, none of the device names Windows keeps
// ("CON", "NUL", "LPT1", ...). Turkish letters are welcome.
QString nameProblem(const QString& name);

// The day types saved in the program folder, in Turkish alphabetical order.
QStringList names(const ProgramFolder& folder);
bool exists(const ProgramFolder& folder, const QString& name);

// Saves the grid atomically, as the weekday files are saved; false for a bad name or a failed write.
bool save(const ProgramFolder& folder, const QString& name, const DaySchedule& slots);
// Removes the day type's file; false when it could not be removed.
bool remove(const ProgramFolder& folder, const QString& name);

} // namespace DayTypes
