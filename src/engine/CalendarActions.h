#pragma once

#include "calendar/CalendarEntry.h"
#include "calendar/SchoolYearDates.h"

#include <QDate>
#include <QString>

#include <functional>

class CalendarCommands;
class Controller;
class Dialogs;

// What the buttons of the "Takvim" window do, without its widgets: each asks the operator through the
// dialogs seam, changes the calendar through its commands (which save and apply at once) and tells
// the operator what could not be done. A dialog whose change is refused opens again with what was
// typed, so nothing the operator entered is lost to a mistake.
class CalendarActions
{
public:
    CalendarActions(Controller& c, Dialogs& dialogs);

    // The kinds of entry the window offers to add.
    enum class NewEntry { Holiday, HalfDay, DayType, SchoolDay, SchoolYear, Ceremony };

    // A new entry of that kind on `day`, for the entry dialog to start from.
    static CalendarEntry newEntry(NewEntry kind, const QDate& day, const QStringList& dayTypes);

    // Each returns the UID of the entry added or changed; empty when nothing was changed.
    QString addEntry(NewEntry kind, const QDate& day);
    QString editEntry(const QString& uid);
    bool removeEntry(const QString& uid);

    // The "Eğitim yılı" dialog for the school year beginning in September of `year`: its five ranges as
    // entered before, or MEB's usual pattern to correct.
    bool enterSchoolYear(int year);
    void editDayTypes();

    // Merges an .ics file the operator chooses, and tells how many entries came in.
    bool importFile();
    // Writes the school's entries (and with `withNational` the national calendar's) to a file the
    // operator chooses.
    void exportFile(bool withNational);

    // "Resmî tatilleri uygula"; returns the state that holds afterwards.
    bool setNationalApplies(bool applies);

private:
    CalendarCommands& commands() const;
    // A takvim.ics that could not be read is replaced by the first save: the operator is told so, and
    // that it will be kept as takvim.ics.bozuk, before anything is written.
    bool mayReplaceBrokenFile();
    // Shows the entry dialog until `save` accepts what was typed, or the operator gives up.
    QString untilSaved(CalendarEntry entry, const std::function<QString(const CalendarEntry&)>& save);
    // An entry that names a day type without a file is saved only when the operator wants it so.
    bool dayTypeAccepted(const CalendarEntry& entry);
    void refused(const QString& why);

    Controller& c;
    Dialogs& m_dialogs;
};
