#include "calendar/CalendarEntry.h"

#include <QUuid>

#include <array>
#include <utility>

namespace {
constexpr std::array<std::pair<EntryKind, const char*>, 5> Categories{{
    {EntryKind::Holiday, "TATIL"},
    {EntryKind::DayType, "GUN-TURU"},
    {EntryKind::SchoolDay, "OKUL-GUNU"},
    {EntryKind::SchoolYear, "EGITIM-YILI"},
    {EntryKind::Ceremony, "TOREN"},
}};
} // namespace

QDate CalendarEntry::lastDay() const
{
    if (!allDay)
        return end > start && end.time() == QTime(0, 0) ? end.date().addDays(-1) : end.date();
    return end.date().addDays(-1);
}

bool CalendarEntry::sameAs(const CalendarEntry& o) const
{
    return uid == o.uid && summary == o.summary && kind == o.kind && source == o.source &&
           allDay == o.allDay && start == o.start && end == o.end && dayType == o.dayType &&
           sound == o.sound && rrule == o.rrule && exceptions == o.exceptions;
}

QString CalendarEntry::newUid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral("@vezozil");
}

CalendarEntry CalendarEntry::allDayEntry(EntryKind kind, const QString& summary, const QDate& first,
                                         const QDate& last)
{
    CalendarEntry e;
    e.uid = newUid();
    e.summary = summary;
    e.kind = kind;
    e.allDay = true;
    e.start = QDateTime(first, QTime(0, 0));
    e.end = QDateTime(last.addDays(1), QTime(0, 0));
    return e;
}

CalendarEntry CalendarEntry::timedEntry(EntryKind kind, const QString& summary, const QDateTime& start,
                                        const QDateTime& end)
{
    CalendarEntry e;
    e.uid = newUid();
    e.summary = summary;
    e.kind = kind;
    e.allDay = false;
    e.start = start;
    e.end = end.isValid() ? end : start; // a ceremony is a moment
    return e;
}

namespace CalendarNames {

QString category(EntryKind kind)
{
    for (const auto& [k, name] : Categories) {
        if (k == kind)
            return QString::fromLatin1(name);
    }
    return QString();
}

std::optional<EntryKind> kindOfCategory(const QString& category)
{
    // Written by hand or by another program, a category may come in any letter case.
    const QString wanted = category.trimmed();
    for (const auto& [k, name] : Categories) {
        if (wanted.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return k;
    }
    return std::nullopt;
}

QString sourceText(EntrySource source)
{
    switch (source) {
    case EntrySource::Official:
        return QStringLiteral("Resmî tatil");
    case EntrySource::Religious:
        return QStringLiteral("Dinî bayram");
    case EntrySource::School:
        break;
    }
    return QStringLiteral("Okul");
}

QString sourceMark(EntrySource source)
{
    switch (source) {
    case EntrySource::Official:
        return QStringLiteral("RESMI");
    case EntrySource::Religious:
        return QStringLiteral("DINI");
    case EntrySource::School:
        break;
    }
    return QString();
}

std::optional<EntrySource> sourceOfMark(const QString& mark)
{
    const QString m = mark.trimmed();
    if (m.compare(QLatin1String("RESMI"), Qt::CaseInsensitive) == 0)
        return EntrySource::Official;
    if (m.compare(QLatin1String("DINI"), Qt::CaseInsensitive) == 0)
        return EntrySource::Religious;
    return std::nullopt;
}

const QStringList& ceremonySounds()
{
    static const QStringList sounds{QStringLiteral("istiklal"),    QStringLiteral("istiklal-konusma"),
                                    QStringLiteral("saygi"),       QStringLiteral("saygi2"),
                                    QStringLiteral("saygidurusu"), QStringLiteral("siren")};
    return sounds;
}

} // namespace CalendarNames
