#include "calendar/SchoolCalendar.h"

#include <algorithm>
#include <functional>

namespace {
constexpr int SecondsPerDay = 24 * 3600;

AppliedRule ruleOf(DayRule rule, const CalendarEntry& e)
{
    return AppliedRule{rule, e.summary, e.summary, e.source, e.uid};
}
} // namespace

void SchoolCalendar::setSchool(const QList<CalendarEntry>& entries)
{
    m_school = entries;
    changed();
}

void SchoolCalendar::setNational(const QList<CalendarEntry>& entries)
{
    m_national = entries;
    changed();
}

void SchoolCalendar::setNationalApplies(bool applies)
{
    m_nationalApplies = applies;
    changed();
}

void SchoolCalendar::changed()
{
    m_years.clear();
    m_schoolYearsEntered = std::any_of(m_school.begin(), m_school.end(), [](const CalendarEntry& e) {
        return e.kind == EntryKind::SchoolYear && e.usable();
    });
}

const CalendarEntry& SchoolCalendar::entry(int index) const
{
    return index < m_school.size() ? m_school.at(index) : m_national.at(index - m_school.size());
}

const QList<Occurrence>& SchoolCalendar::yearOf(int year) const
{
    const auto cached = m_years.constFind(year);
    if (cached != m_years.constEnd())
        return *cached;
    const QDateTime from(QDate(year, 1, 1), QTime(0, 0));
    const QDateTime to(QDate(year + 1, 1, 1), QTime(0, 0));
    QList<Occurrence> found;
    const int count = static_cast<int>(m_school.size() + (m_nationalApplies ? m_national.size() : 0));
    for (int i = 0; i < count; ++i) {
        if (entry(i).usable())
            found << occurrencesOf(entry(i), i, from, to);
    }
    return *m_years.insert(year, found);
}

CalendarDay SchoolCalendar::decide(const QDate& date) const
{
    CalendarDay day;
    day.date = date;
    const QDateTime dayStart(date, QTime(0, 0));
    const QDateTime dayEnd(date.addDays(1), QTime(0, 0));
    QList<const Occurrence*> here;
    for (const Occurrence& o : yearOf(date.year())) {
        if (o.start < dayEnd && (o.end > dayStart || (o.end == o.start && o.start >= dayStart)))
            here << &o;
    }
    // The occurrence of that kind covering the whole day that starts latest (the later entry on a tie).
    auto latest = [&](EntryKind kind) -> const Occurrence* {
        const Occurrence* best = nullptr;
        for (const Occurrence* o : std::as_const(here)) {
            const CalendarEntry& e = entry(o->entry);
            if (e.kind == kind && e.allDay && o->start <= dayStart && dayStart < o->end &&
                (!best || o->start >= best->start))
                best = o;
        }
        return best;
    };

    if (const Occurrence* forced = latest(EntryKind::SchoolDay)) {
        day.schoolDay = true;
        day.rules << ruleOf(DayRule::SchoolDay, entry(forced->entry));
    } else if (const Occurrence* holiday = latest(EntryKind::Holiday)) {
        day.bells = false;
        day.rules << ruleOf(DayRule::Holiday, entry(holiday->entry));
    } else if (m_schoolYearsEntered && !latest(EntryKind::SchoolYear)) {
        day.bells = false;
        day.rules << AppliedRule{DayRule::OutsideSchoolYear, QString(), QString(), EntrySource::School,
                                 QString()};
    }
    if (day.bells) {
        // A school day may name the day type it rings: a Saturday that makes up for a Monday.
        const Occurrence* forced = day.schoolDay ? latest(EntryKind::SchoolDay) : nullptr;
        const Occurrence* typed = latest(EntryKind::DayType);
        if (forced && !entry(forced->entry).dayType.isEmpty() && (!typed || forced->start >= typed->start))
            typed = forced;
        if (typed) {
            const CalendarEntry& e = entry(typed->entry);
            day.dayType = e.dayType;
            day.rules << AppliedRule{DayRule::DayType, e.dayType, e.summary, e.source, e.uid};
        }
    }
    for (const Occurrence* o : std::as_const(here)) {
        const CalendarEntry& e = entry(o->entry);
        if (e.kind == EntryKind::Holiday && !e.allDay && day.bells && !day.schoolDay && o->end > o->start) {
            const int from = static_cast<int>(std::max<qint64>(0, dayStart.secsTo(o->start)));
            const int to = static_cast<int>(std::min<qint64>(SecondsPerDay, dayStart.secsTo(o->end)));
            const TimedSilence silence{from, to, e.summary, e.source};
            day.silences << silence;
            day.rules << ruleOf(silence.reachesEndOfDay() ? DayRule::HalfDay : DayRule::TimedHoliday, e);
        }
        if (e.kind == EntryKind::Ceremony && o->start >= dayStart && day.bells) {
            const QTime minute(o->start.time().hour(), o->start.time().minute());
            day.ceremonies << DayCeremony{minute, e.sound, e.summary, e.source};
            day.rules << ruleOf(DayRule::Ceremony, e);
        }
    }
    return day;
}

int SchoolCalendar::lastReligiousYear() const
{
    int last = 0;
    auto look = [&last](const QList<CalendarEntry>& entries) {
        for (const CalendarEntry& e : entries) {
            if (e.source == EntrySource::Religious && e.kind == EntryKind::Holiday && e.usable())
                last = std::max(last, e.lastDay().year());
        }
    };
    look(m_school);
    if (m_nationalApplies)
        look(m_national);
    return last;
}

bool SchoolCalendar::religiousHolidaysRunOut(const QDate& date) const
{
    const int last = lastReligiousYear();
    return last > 0 && date >= QDate(last, 9, 1);
}
