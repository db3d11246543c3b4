#include "calendar/SchoolYearDates.h"

namespace {
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
    const int year = firstTermStart.year();
    const QString years = QStringLiteral("%1-%2").arg(year).arg(year + 1);
    auto make = [&](EntryKind kind, const QString& key, const QString& name, const QDate& a, const QDate& b) {
        CalendarEntry e = CalendarEntry::allDayEntry(kind, name, a, b);
        e.uid = QStringLiteral("%1-%2@egitim-yili.vezozil").arg(key, years);
        return e;
    };
    return {make(EntryKind::SchoolYear, QStringLiteral("donem-1"), years + QStringLiteral(" 1. dönem"),
                 firstTermStart, firstTermEnd),
            make(EntryKind::Holiday, QStringLiteral("ara-tatil-1"), QStringLiteral("1. dönem ara tatili"),
                 firstBreakStart, firstBreakEnd),
            make(EntryKind::Holiday, QStringLiteral("yariyil"), QStringLiteral("Yarıyıl tatili"),
                 semesterStart, semesterEnd),
            make(EntryKind::SchoolYear, QStringLiteral("donem-2"), years + QStringLiteral(" 2. dönem"),
                 secondTermStart, secondTermEnd),
            make(EntryKind::Holiday, QStringLiteral("ara-tatil-2"), QStringLiteral("2. dönem ara tatili"),
                 secondBreakStart, secondBreakEnd)};
}
