#pragma once

#include "calendar/CalendarDay.h"
#include "calendar/CalendarEntry.h"

#include <QList>
#include <QString>

// The calendar window's words for entries, rules and days, in Turkish.
namespace CalendarWords {

// "29 Ekim 2026 Perşembe"
QString longDate(const QDate& date);
// "29 Ekim 2026", "2–6 Kasım 2026", "28 Aralık 2026 – 3 Ocak 2027", "28 Ekim 2026, 13:00'ten sonra",
// "10 Kasım 2026, 09:05"; "(her yıl)" after one that repeats every year.
QString entryDates(const CalendarEntry& entry);
// "Tatil", "Yarım gün", "Saatli tatil", "Gün türü: Sınav günü", "Okul günü", "Eğitim yılı",
// "Tören: 2 Dk Saygı dur.ve İst. Marşı".
QString entryKind(const CalendarEntry& entry);

// The caption of the "Hemen Çal" button that plays a ceremony sound ("saygi2": "2 Dk Saygı dur.ve İst.
// Marşı"); the value itself for an unknown one.
QString soundCaption(const QString& sound);

// The colour classes of the year's days, as the legend names them.
QString dayKindName(DayKind kind);

// What one day is: a line per rule with its source ("Resmî tatil", "Dinî bayram", "Okul"); a day the
// calendar leaves alone rings its weekday's timetable.
struct RuleLine
{
    QString text;
    QString source;
};
QList<RuleLine> dayLines(const CalendarDay& day);
// The same, one line each, for a tooltip.
QString dayTip(const CalendarDay& day);

} // namespace CalendarWords
