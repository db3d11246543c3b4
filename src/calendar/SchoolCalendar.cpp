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

SchoolCalendar::DayView SchoolCalendar::viewOf(const QDate& date) const
{
    DayView view{QDateTime(date, QTime(0, 0)), QDateTime(date.addDays(1), QTime(0, 0)), {}};
    for (const Occurrence& o : yearOf(date.year())) {
        if (o.start < view.end && (o.end > view.start || (o.end == o.start && o.start >= view.start)))
            view.here << &o;
    }
    return view;
}

const Occurrence* SchoolCalendar::latest(const DayView& view, EntryKind kind) const
{
    const Occurrence* best = nullptr;
    for (const Occurrence* o : view.here) {
        const CalendarEntry& e = entry(o->entry);
        if (e.kind == kind && e.allDay && o->start <= view.start && view.start < o->end &&
            (!best || o->start >= best->start))
            best = o;
    }
    return best;
}

void SchoolCalendar::decideBells(const DayView& view, CalendarDay& day) const
{
    if (const Occurrence* forced = latest(view, EntryKind::SchoolDay)) {
        day.schoolDay = true;
        day.rules << ruleOf(DayRule::SchoolDay, entry(forced->entry));
    } else if (const Occurrence* holiday = latest(view, EntryKind::Holiday)) {
        day.bells = false;
        day.rules << ruleOf(DayRule::Holiday, entry(holiday->entry));
    } else if (m_schoolYearsEntered && !latest(view, EntryKind::SchoolYear)) {
        day.bells = false;
        day.rules << AppliedRule{DayRule::OutsideSchoolYear, QString(), QString(), EntrySource::School,
                                 QString()};
    }
}

void SchoolCalendar::decideDayType(const DayView& view, CalendarDay& day) const
{
    // A school day may name the day type it rings: a Saturday that makes up for a Monday.
    const Occurrence* forced = day.schoolDay ? latest(view, EntryKind::SchoolDay) : nullptr;
    const Occurrence* typed = latest(view, EntryKind::DayType);
    if (forced && !entry(forced->entry).dayType.isEmpty() && (!typed || forced->start >= typed->start))
        typed = forced;
    if (!typed)
        return;
    const CalendarEntry& e = entry(typed->entry);
    day.dayType = e.dayType;
    day.rules << AppliedRule{DayRule::DayType, e.dayType, e.summary, e.source, e.uid};
}

void SchoolCalendar::addTimedParts(const DayView& view, CalendarDay& day) const
{
    for (const Occurrence* o : view.here) {
        const CalendarEntry& e = entry(o->entry);
        if (e.kind == EntryKind::Holiday && !e.allDay && !day.schoolDay && o->end > o->start) {
            const int from = static_cast<int>(std::max<qint64>(0, view.start.secsTo(o->start)));
            const int to = static_cast<int>(std::min<qint64>(SecondsPerDay, view.start.secsTo(o->end)));
            const TimedSilence silence{from, to, e.summary, e.source};
            day.silences << silence;
            day.rules << ruleOf(silence.reachesEndOfDay() ? DayRule::HalfDay : DayRule::TimedHoliday, e);
        }
        if (e.kind == EntryKind::Ceremony && o->start >= view.start) {
            const QTime minute(o->start.time().hour(), o->start.time().minute());
            day.ceremonies << DayCeremony{minute, e.sound, e.summary, e.source};
            day.rules << ruleOf(DayRule::Ceremony, e);
        }
    }
}

CalendarDay SchoolCalendar::decide(const QDate& date) const
{
    CalendarDay day;
    day.date = date;
    const DayView view = viewOf(date);
    decideBells(view, day);
    // A day without bells has neither a timetable nor timed parts.
    if (day.bells) {
        decideDayType(view, day);
        addTimedParts(view, day);
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
