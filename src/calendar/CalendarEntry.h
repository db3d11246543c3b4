#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What an entry of the school year does to the days it covers; the CATEGORIES value of its VEVENT.
enum class EntryKind {
    Holiday,    // TATIL: all day, no bells; timed, no bells from its start up to its end
    DayType,    // GUN-TURU: the days ring the day type named in X-VEZOZIL-GUN-TURU
    SchoolDay,  // OKUL-GUNU: a school day whatever else covers it, and a weekday for the weekend rules
    SchoolYear, // EGITIM-YILI: once any exists, the days outside all of them have no bells
    Ceremony,   // TOREN: at its start, the ceremony sound named in X-VEZOZIL-SES
    Other,      // a timed entry of another calendar: kept in the file, decides nothing
};

// Where an entry comes from, as the calendar window names it.
enum class EntrySource { School, Official, Religious };

// One VEVENT of takvim.ics or of the national calendar, as the window edits it and the engine reads it.
// Times are local wall-clock times. An all-day entry starts at 00:00 of its first day and ends at 00:00
// of the day after its last (DTEND is exclusive); a timed one runs from `start` up to `end`.
struct CalendarEntry
{
    QString uid;
    QString summary; // the name the operator sees
    EntryKind kind = EntryKind::Holiday;
    EntrySource source = EntrySource::School;
    bool national = false; // from the shipped national calendar: shown, never edited or saved
    bool allDay = true;
    QDateTime start;
    QDateTime end;
    QString dayType;         // X-VEZOZIL-GUN-TURU of a GUN-TURU, or of an OKUL-GUNU that names one
    QString sound;           // X-VEZOZIL-SES
    QString rrule;           // the RRULE value, "FREQ=YEARLY"; empty: the entry happens once
    QList<QDate> exceptions; // EXDATE: the dates whose occurrence is left out
    QString problem;         // why the entry decides nothing; empty when it is usable
    QByteArray raw;          // the VEVENT as read: a save keeps every property it does not manage

    QDate firstDay() const { return start.date(); }
    // The last day the entry touches (an all-day entry's DTEND minus one day).
    QDate lastDay() const;
    bool usable() const { return problem.isEmpty() && kind != EntryKind::Other; }

    // True when both say the same in every field a save writes (raw and problem aside).
    bool sameAs(const CalendarEntry& other) const;

    // A new all-day entry of the school from its first to its last day (both included), or a timed one
    // (an invalid `end`: a moment, as a ceremony is), with a fresh UID.
    static CalendarEntry allDayEntry(EntryKind kind, const QString& summary, const QDate& first,
                                     const QDate& last);
    static CalendarEntry timedEntry(EntryKind kind, const QString& summary, const QDateTime& start,
                                    const QDateTime& end);
    static QString newUid();
};

namespace CalendarNames {
// "TATIL", "GUN-TURU", "OKUL-GUNU", "EGITIM-YILI", "TOREN"; empty for Other.
QString category(EntryKind kind);
std::optional<EntryKind> kindOfCategory(const QString& category);

// "Okul", "Resmî tatil", "Dinî bayram": the source as the window shows it.
QString sourceText(EntrySource source);
// X-VEZOZIL-KAYNAK: "RESMI", "DINI"; the school's own entries carry none.
QString sourceMark(EntrySource source);
std::optional<EntrySource> sourceOfMark(const QString& mark);

// The values X-VEZOZIL-SES takes, each a sound of the "Hemen Çal" panel.
const QStringList& ceremonySounds();
} // namespace CalendarNames
