#include "schedule/DayTable.h"

namespace DayTable {

const QStringList& names()
{
    static const QStringList n{QStringLiteral("Pazartesi"), QStringLiteral("Salı"), QStringLiteral("Çarşamba"),
                               QStringLiteral("Perşembe"),  QStringLiteral("Cuma"), QStringLiteral("Cumartesi"),
                               QStringLiteral("Pazar")};
    return n;
}

const QStringList& weekdays()
{
    static const QStringList w = names().mid(0, 5);
    return w;
}

const QStringList& weekend()
{
    static const QStringList w = names().mid(5, 2);
    return w;
}

bool isWeekend(const QString& dayName) { return weekend().contains(dayName); }
bool isWeekday(const QString& dayName) { return weekdays().contains(dayName); }

QString nameOf(const QDate& date)
{
    // Taken from the table by weekday number rather than from the system locale, so the
    // file names and weekend rules hold on a PC with any language set.
    return names().at(date.dayOfWeek() - 1);
}

} // namespace DayTable
