#pragma once

#include "schedule/DaySchedule.h"
#include "schedule/ProgramFolder.h"

// The day files saatler/<day name>.txt: one quoted value per line, CR LF after every line.
constexpr int DayFileLineLimit = 250;

QString dayFilePath(const ProgramFolder& folder, const QString& dayName);

// Fills slot n from line n (the five characters after the line's first character); slots without a
// line keep what they held. Returns the number of lines that reached a slot (0..53).
int readDayFile(const ProgramFolder& folder, const QString& dayName, DaySchedule& slots);

// Both replace the file atomically and return false when it cannot be written.
bool writeDayFile(const ProgramFolder& folder, const QString& dayName, const DaySchedule& slots);
bool clearDayFile(const ProgramFolder& folder, const QString& dayName); // 45 lines of "XX:XX"

// A day type's timetable (an exam day, a winter regime) in saatler/ozel/<name>.txt: the same format,
// read and written by the same procedures as the weekday files. The name must already be a safe file
// name; the calendar checks it.
QString dayTypeFilePath(const ProgramFolder& folder, const QString& typeName);
int readDayTypeFile(const ProgramFolder& folder, const QString& typeName, DaySchedule& slots);
bool writeDayTypeFile(const ProgramFolder& folder, const QString& typeName, const DaySchedule& slots);
