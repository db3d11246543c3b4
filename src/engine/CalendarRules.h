#pragma once

#include "calendar/CalendarDay.h"
#include "calendar/CalendarFile.h"
#include "calendar/SchoolCalendar.h"

#include <QDateTime>
#include <QList>

class Controller;

// The school year in the engine: what the calendar decides for today, applied the way the weekend
// silence is. A day without bells gets bellsOff 1 and " Zil Kapalı" at start-up and at the change of
// day only, so "Zilleri aç" still overrides it for an event; a day type's grid is read in place of the
// weekday's; a bell whose minute lies in a timed holiday does not ring, while the grid keeps its time;
// a ceremony plays in the first tick of its minute while the bells are on.
class CalendarRules
{
public:
    explicit CalendarRules(Controller& c) : c(c) {}

    // Start-up, before today's timetable is read: the national calendar from `nationalPath` (empty:
    // none; off when ayarlar.ini says so) and takvim.ics of the program folder. A takvim.ics that
    // cannot be read is left as it is: the school's calendar is then empty, the operator is told.
    void load(const QString& nationalPath);

    // Start-up and every change of day: decides `date`, reads its timetable into the grid (its day type,
    // or the weekday's file when the day type has none) and switches the bells off for a day without.
    void beginDay(const QDate& date);

    // Decides `date` again after the calendar or the date changed, and applies at once what differs:
    // the grid is read again (the once-per-minute guard stays), the bells go off for a day that has
    // none now, and come back on when the calendar had switched them off. With `force` the grid is
    // read again even when the decision is the same (today's day type was saved).
    void reapply(const QDate& date, bool force = false);

    // Each tick, before the break steps: a timed holiday that begins ends a running break activity.
    void holidayBoundaries(const QDateTime& now);
    // Each tick, after step 16: true in the first tick of a ceremony's minute while the bells are on;
    // playCeremony() then plays it, as its "Hemen Çal" button does. Each ceremony is due once.
    bool ceremonyDue();
    void playCeremony();

    // True when a bell at `minute` ("hh:mm") lies in one of today's timed holidays.
    bool silenced(const QString& minute) const { return m_today.silenceAt(minute) != nullptr; }
    // An OKUL-GUNU covers today: a weekday for "Haftasonu zil çalmasın", "Haftasonu programı kapat" and
    // the shutdown times.
    bool countsAsWeekday() const { return m_today.schoolDay; }

    // The operator switched the bells by hand: a later change of the calendar leaves them as they are.
    void operatorSwitchedBells() { m_bellsOffByCalendar = false; }

    // A save of the school's calendar: it is no longer the broken file read at start-up.
    void schoolSaved(const QList<CalendarEntry>& entries, const QByteArray& calendar);
    void nationalSwitched(bool applies);

    const CalendarDay& today() const { return m_today; }
    const SchoolCalendar& calendar() const { return m_calendar; }
    const QByteArray& schoolCalendarKept() const { return m_schoolCalendar; }
    // Why takvim.ics could not be read at start-up; empty when it could, or once it has been saved over.
    const QString& schoolFileProblem() const { return m_schoolProblem; }
    // Today's day type has no file: the weekday's timetable rings instead.
    bool dayTypeMissing() const { return m_dayTypeMissing; }

private:
    void readTimetable();
    void startDayState();
    void showInModel();
    void endBreak(const QString& holiday);

    Controller& c;
    SchoolCalendar m_calendar;
    QByteArray m_schoolCalendar; // takvim.ics without its events, for the next save
    QString m_schoolProblem;
    CalendarDay m_today;
    bool m_dayTypeMissing = false;
    bool m_bellsOffByCalendar = false;
    QList<int> m_silenceStarts; // today's timed holidays' starts, seconds of the day, in order
    int m_silencesBegun = 0;
    QList<bool> m_ceremonyDone;
    int m_dueCeremony = -1;
    QString m_ceremonyMinute; // the minute the last ceremony check saw
};
