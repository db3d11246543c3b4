#pragma once

#include "calendar/CalendarDay.h"
#include "calendar/CalendarEntry.h"
#include "calendar/DayTypeGenerator.h"
#include "calendar/SchoolYearDates.h"
#include "schedule/DaySchedule.h"

#include <QStringList>

#include <optional>

class Controller;

// What the calendar window does, on the controller's own calendar. Every change is saved at once
// (takvim.ics and the day types atomically, as every other save; a takvim.ics that could not be read is
// first kept beside it as takvim.ics.bozuk) and applied at once: when it touches today, the grid is read
// again and the bells follow, keeping the once-per-minute guard. Each change returns an empty string
// when it is done, or the reason it was not, in words for the operator; nothing is changed then.
class CalendarCommands
{
public:
    explicit CalendarCommands(Controller& c) : c(c) {}

    // ---- reading, for the window
    const QList<CalendarEntry>& schoolEntries() const;
    const QList<CalendarEntry>& nationalEntries() const;
    // What decides a date (its colour, its rules and their sources), with the national calendar as set.
    CalendarDay decide(const QDate& date) const;
    bool nationalApplies() const;
    // Why takvim.ics could not be read at start-up; empty once it is read or saved over.
    QString schoolFileProblem() const;
    // The warning that the religious holidays after the table's last year must be entered, shown from
    // 1 September of that year on; empty before then.
    QString religiousHolidaysWarning(const QDate& date) const;

    // ---- the school's entries (national entries cannot be changed, only switched off)
    QString addEntry(const CalendarEntry& entry);
    // Adds the entries, replacing any of the same UID: the "Eğitim yılı" dialog's five in one save.
    QString putEntries(const QList<CalendarEntry>& entries);
    QString setSchoolYear(const SchoolYearDates& dates);
    QString updateEntry(const CalendarEntry& entry); // the one of the same UID
    QString removeEntry(const QString& uid);

    // "Resmî tatilleri uygula", saved in ayarlar.ini [Takvim] ResmiTatiller.
    QString setNationalApplies(bool applies);

    // Merges an .ics file into the school's calendar: an entry of a UID already there replaces it,
    // one without a usable date is left out.
    struct ImportResult
    {
        QString error; // empty when imported
        int added = 0;
        int replaced = 0;
        int skipped = 0;
    };
    ImportResult importFile(const QString& path);
    // Writes the school's entries (and, when asked, the national calendar's) to an .ics file.
    QString exportFile(const QString& path, bool withNational = false) const;

    // ---- day types
    QStringList dayTypes() const;
    // The day type's 53 values; none when it has no file.
    std::optional<DaySchedule> readDayType(const QString& name) const;
    QString saveDayType(const QString& name, const DaySchedule& slots);
    // Refused while an entry of the school's calendar names it: those days would ring another timetable.
    QString removeDayType(const QString& name);
    static GeneratedDay generateDayType(const DayTypeRecipe& recipe);

private:
    QString save(const QList<CalendarEntry>& entries);
    void touched();

    Controller& c;
};
