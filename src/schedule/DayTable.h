#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The seven Turkish day names in timetable order: the editor's list order and the order in which
// the bulk operations visit the day files.
namespace DayTable {
constexpr int Count = 7;

const QStringList& names();      // "Pazartesi" ... "Pazar"
const QStringList& weekdays();   // the first five
const QStringList& weekend();    // "Cumartesi", "Pazar"
bool isWeekend(const QString& dayName);
bool isWeekday(const QString& dayName);

// Today's day name for a date: the Turkish long weekday name ("dddd").
QString nameOf(const QDate& date);
} // namespace DayTable
