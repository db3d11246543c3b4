#pragma once

#include "calendar/CalendarDay.h"
#include "calendar/CalendarEntry.h"
#include "calendar/Occurrences.h"

#include <QHash>
#include <QList>

// The school year: the national calendar and the school's own entries, and what they decide for a date.
//
// For a date D:
//  1. an OKUL-GUNU that covers D makes it a school day: every holiday is then ignored for D;
//  2. otherwise D has no bells when an all-day TATIL covers it, or when EGITIM-YILI entries exist and
//     none covers it;
//  3. a day with bells rings the day type of the GUN-TURU that covers it (the one that starts latest,
//     where several do; an OKUL-GUNU may name one too), else the weekday's own file; a timed TATIL
//     silences the bells within it.
// A TOREN belongs to a day with bells; the engine plays it only while the bells are on.
class SchoolCalendar
{
public:
    void setSchool(const QList<CalendarEntry>& entries);
    void setNational(const QList<CalendarEntry>& entries);
    // "Resmî tatilleri uygula": off, the national calendar decides nothing.
    void setNationalApplies(bool applies);

    const QList<CalendarEntry>& school() const { return m_school; }
    const QList<CalendarEntry>& national() const { return m_national; }
    bool nationalApplies() const { return m_nationalApplies; }

    CalendarDay decide(const QDate& date) const;

    // The last year for which religious holidays are entered (the shipped table, or the school's own
    // entries marked as Dinî bayram); 0 when none are.
    int lastReligiousYear() const;
    // From 1 September of that year on, the religious holidays of the coming years must be entered.
    bool religiousHolidaysRunOut(const QDate& date) const;

private:
    // One day and the occurrences that touch it.
    struct DayView
    {
        QDateTime start, end;
        QList<const Occurrence*> here;
    };
    DayView viewOf(const QDate& date) const;
    // The occurrence of that kind covering the whole day that starts latest (the later entry on a tie).
    const Occurrence* latest(const DayView& view, EntryKind kind) const;
    void decideBells(const DayView& view, CalendarDay& day) const;
    void decideDayType(const DayView& view, CalendarDay& day) const;
    void addTimedParts(const DayView& view, CalendarDay& day) const;

    // The occurrences touching one calendar year, school entries first; worked out once per year.
    const QList<Occurrence>& yearOf(int year) const;
    const CalendarEntry& entry(int index) const;
    void changed();

    QList<CalendarEntry> m_school;
    QList<CalendarEntry> m_national;
    bool m_nationalApplies = true;
    bool m_schoolYearsEntered = false;
    mutable QHash<int, QList<Occurrence>> m_years;
};
