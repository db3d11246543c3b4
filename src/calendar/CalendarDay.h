#pragma once

#include "calendar/CalendarEntry.h"

#include <QList>
#include <QTime>

// A rule of the calendar that applies to a day.
enum class DayRule {
    SchoolDay,         // an OKUL-GUNU covers it
    Holiday,           // an all-day TATIL covers it: no bells
    OutsideSchoolYear, // school years are entered and none covers it: no bells
    DayType,           // a GUN-TURU covers it: its day type rings
    HalfDay,           // a timed TATIL runs to the end of the day: no bells from its start
    TimedHoliday,      // a timed TATIL within the day: no bells between its start and end
    Ceremony,          // a TOREN starts this day
};

// How the window colours a day: the strongest of its rules.
enum class DayKind { Weekly, SchoolDay, DayType, HalfDay, Holiday, OutsideSchoolYear };

struct AppliedRule
{
    DayRule rule;
    QString name;    // what the rule names: the day type's name for DayType, the entry's SUMMARY otherwise
    QString summary; // the entry's SUMMARY
    EntrySource source = EntrySource::School;
    QString uid; // the entry's UID, so the window can select it

    bool operator==(const AppliedRule&) const = default;
};

// A timed holiday within one day: no bell whose minute hh:mm:00 lies in [from, to), seconds of the day.
struct TimedSilence
{
    int from = 0;
    int to = 0; // 86400 when it runs to the end of the day
    QString name;
    EntrySource source = EntrySource::School;

    bool reachesEndOfDay() const { return to >= 24 * 3600; }
    bool operator==(const TimedSilence&) const = default;
};

struct DayCeremony
{
    QTime time;    // its minute: it plays in the first tick of hh:mm
    QString sound; // one of CalendarNames::ceremonySounds()
    QString name;
    EntrySource source = EntrySource::School;

    bool operator==(const DayCeremony&) const = default;
};

// What the calendar decides for one date.
struct CalendarDay
{
    QDate date;
    bool bells = true;      // false: no bells this day, as on a silent weekend
    bool schoolDay = false; // an OKUL-GUNU covers it: a weekday for the weekend rules and shutdown times
    QString dayType;        // the day type whose timetable rings; empty: the weekday's own file
    QList<AppliedRule> rules;
    QList<TimedSilence> silences; // only on a day with bells
    QList<DayCeremony> ceremonies;

    // The timed holiday that silences a bell at `minute` ("hh:mm"), or none.
    const TimedSilence* silenceAt(const QString& minute) const;
    DayKind kind() const;
    bool operator==(const CalendarDay&) const = default;
};

namespace CalendarRuleWords {
// The rehearsal's word for a rule: "okul-gunu", "tatil", "egitim-yili-disi", "gun-turu", "yarim-gun",
// "saatli-tatil", "toren".
QString word(DayRule rule);
} // namespace CalendarRuleWords
