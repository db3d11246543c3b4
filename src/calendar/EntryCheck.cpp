#include "calendar/EntryCheck.h"

#include "calendar/DayTypes.h"

#include <libical/ical.h>

namespace {
// Far enough for any school calendar, near enough that expanding a daily rule stays cheap.
constexpr int FirstYear = 1970;
constexpr int LastYear = 2200;

QString recurrenceProblem(const QString& rrule)
{
    if (rrule.isEmpty())
        return QString();
    icalerror_clear_errno();
    const struct icalrecurrencetype r = icalrecurrencetype_from_string(rrule.toUtf8().constData());
    if (r.freq == ICAL_NO_RECURRENCE || icalerrno != ICAL_NO_ERROR)
        return QStringLiteral("Tekrar kuralı okunamadı: %1").arg(rrule);
    // A rule of seconds, minutes or hours would be expanded over years of days: no school needs one.
    if (r.freq == ICAL_SECONDLY_RECURRENCE || r.freq == ICAL_MINUTELY_RECURRENCE ||
        r.freq == ICAL_HOURLY_RECURRENCE || r.by_hour[0] != ICAL_RECURRENCE_ARRAY_MAX ||
        r.by_minute[0] != ICAL_RECURRENCE_ARRAY_MAX || r.by_second[0] != ICAL_RECURRENCE_ARRAY_MAX)
        return QStringLiteral("Tekrar kuralı en sık günde bir olabilir: %1").arg(rrule);
    return QString();
}

QString timesProblem(const CalendarEntry& e)
{
    if (!e.start.isValid())
        return QStringLiteral("Başlangıç tarihi yok ya da okunamadı.");
    if (e.start.date().year() < FirstYear || e.start.date().year() > LastYear)
        return QStringLiteral("Tarih %1 ile %2 yılları arasında olmalı.").arg(FirstYear).arg(LastYear);
    if (!e.end.isValid() || e.end < e.start || (e.allDay && e.end <= e.start))
        return QStringLiteral("Bitiş, başlangıçtan önce.");
    return QString();
}

QString kindProblem(const CalendarEntry& e)
{
    switch (e.kind) {
    case EntryKind::DayType:
    case EntryKind::SchoolDay:
    case EntryKind::SchoolYear:
        if (!e.allDay)
            return QStringLiteral("Bu tür bir kayıt bütün gün sürmeli, saat almaz.");
        // A school day names a day type only if it wants one; a GUN-TURU must.
        if (e.kind == EntryKind::DayType || (e.kind == EntryKind::SchoolDay && !e.dayType.isEmpty()))
            return DayTypes::nameProblem(e.dayType);
        return QString();
    case EntryKind::Ceremony:
        if (e.allDay)
            return QStringLiteral("Tören için bir başlangıç saati gerekir.");
        if (!CalendarNames::ceremonySounds().contains(e.sound))
            return QStringLiteral("Tören sesi bilinmiyor: \"%1\". Geçerli sesler: %2.")
                .arg(e.sound, CalendarNames::ceremonySounds().join(QStringLiteral(", ")));
        return QString();
    case EntryKind::Holiday:
    case EntryKind::Other:
        break;
    }
    return QString();
}
} // namespace

QString entryProblem(const CalendarEntry& e)
{
    QString problem = timesProblem(e);
    if (problem.isEmpty())
        problem = kindProblem(e);
    if (problem.isEmpty())
        problem = recurrenceProblem(e.rrule);
    return problem;
}
