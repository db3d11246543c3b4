#include "calendar/SchoolYearDates.h"

#include <algorithm>

namespace {
const QString UidPattern = QStringLiteral("%1-%2@egitim-yili.vezozil");
const char* const Keys[5] = {"donem-1", "ara-tatil-1", "yariyil", "donem-2", "ara-tatil-2"};

QString yearsText(int year)
{
    return QStringLiteral("%1-%2").arg(year).arg(year + 1);
}

// The n-th (1-based) given weekday of a month.
QDate nthWeekday(int year, int month, int weekday, int n)
{
    const QDate first(year, month, 1);
    return first.addDays((weekday - first.dayOfWeek() + 7) % 7 + 7 * (n - 1));
}

bool ordered(const QList<QDate>& dates)
{
    for (qsizetype i = 0; i < dates.size(); ++i) {
        if (!dates.at(i).isValid() || (i > 0 && dates.at(i) < dates.at(i - 1)))
            return false;
    }
    return true;
}
} // namespace

QString SchoolYearDates::problem() const
{
    const QList<QDate> all{firstTermStart, firstTermEnd, secondTermStart, secondTermEnd};
    if (!ordered(all) || firstTermEnd >= secondTermStart)
        return QStringLiteral("Dönemlerin tarihleri sırasıyla girilmeli: 1. dönem, sonra 2. dönem.");
    if (!ordered({firstTermStart, firstBreakStart, firstBreakEnd, firstTermEnd}))
        return QStringLiteral("1. dönem ara tatili 1. dönemin içinde olmalı.");
    if (!ordered({firstTermEnd, semesterStart, semesterEnd, secondTermStart}) ||
        semesterStart == firstTermEnd || semesterEnd == secondTermStart)
        return QStringLiteral("Yarıyıl tatili iki dönemin arasında olmalı.");
    if (!ordered({secondTermStart, secondBreakStart, secondBreakEnd, secondTermEnd}))
        return QStringLiteral("2. dönem ara tatili 2. dönemin içinde olmalı.");
    return QString();
}

QList<CalendarEntry> SchoolYearDates::entries() const
{
    const QString years = yearsText(firstTermStart.year());
    auto make = [&](EntryKind kind, int key, const QString& name, const QDate& a, const QDate& b) {
        CalendarEntry e = CalendarEntry::allDayEntry(kind, name, a, b);
        e.uid = UidPattern.arg(QLatin1String(Keys[key]), years);
        return e;
    };
    return {make(EntryKind::SchoolYear, 0, years + QStringLiteral(" 1. dönem"), firstTermStart, firstTermEnd),
            make(EntryKind::Holiday, 1, QStringLiteral("1. dönem ara tatili"), firstBreakStart, firstBreakEnd),
            make(EntryKind::Holiday, 2, QStringLiteral("Yarıyıl tatili"), semesterStart, semesterEnd),
            make(EntryKind::SchoolYear, 3, years + QStringLiteral(" 2. dönem"), secondTermStart, secondTermEnd),
            make(EntryKind::Holiday, 4, QStringLiteral("2. dönem ara tatili"), secondBreakStart,
                 secondBreakEnd)};
}

std::optional<SchoolYearDates> SchoolYearDates::entered(int year, const QList<CalendarEntry>& entries)
{
    SchoolYearDates d;
    std::pair<QDate*, QDate*> ranges[5] = {{&d.firstTermStart, &d.firstTermEnd},
                                           {&d.firstBreakStart, &d.firstBreakEnd},
                                           {&d.semesterStart, &d.semesterEnd},
                                           {&d.secondTermStart, &d.secondTermEnd},
                                           {&d.secondBreakStart, &d.secondBreakEnd}};
    for (int key = 0; key < 5; ++key) {
        const QString uid = UidPattern.arg(QLatin1String(Keys[key]), yearsText(year));
        const auto e = std::find_if(entries.cbegin(), entries.cend(),
                                    [&uid](const CalendarEntry& x) { return x.uid == uid && x.allDay; });
        if (e == entries.cend())
            return std::nullopt;
        *ranges[key].first = e->firstDay();
        *ranges[key].second = e->lastDay();
    }
    return d;
}

SchoolYearDates SchoolYearDates::typical(int year)
{
    SchoolYearDates d;
    d.firstTermStart = nthWeekday(year, 9, Qt::Monday, 2);
    d.firstBreakStart = nthWeekday(year, 11, Qt::Monday, 2);
    d.firstBreakEnd = d.firstBreakStart.addDays(4);
    d.firstTermEnd = nthWeekday(year + 1, 1, Qt::Friday, 3);
    d.semesterStart = d.firstTermEnd.addDays(3);
    d.semesterEnd = d.semesterStart.addDays(11);
    d.secondTermStart = d.semesterEnd.addDays(3);
    d.secondBreakStart = nthWeekday(year + 1, 4, Qt::Monday, 2);
    d.secondBreakEnd = d.secondBreakStart.addDays(4);
    d.secondTermEnd = nthWeekday(year + 1, 6, Qt::Friday, 3);
    return d;
}
