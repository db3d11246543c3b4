#pragma once

#include "schedule/DaySchedule.h"
#include "schedule/ProgramFolder.h"

#include <QString>
#include <QStringList>

#include <array>

// The editor's buttons that write several day files at once: copy the times on screen to a group of
// days, or clear a group of days. Groups are always visited in day-table order.
namespace BulkOperations {

enum class Group { Selected, Weekdays, Weekend, AllDays };
enum class Action { Write, Clear };

struct Operation
{
    int command; // the button's number: Command2 ... Command8
    QString caption;
    QString question; // asked first; only Yes goes on
    Group group;
    Action action;
    bool needsSelection; // tells "Gün seçiniz" and stops when no day is selected
};

const std::array<Operation, 7>& all();
const Operation& byCommand(int command);

// The days of a group in table order; the selected group is the selected day, or none.
QStringList daysOf(Group group, const QString& selectedDay);

// Writes (the given times) or clears each day in turn. A day that cannot be written does not stop
// the others; the days not written are returned in table order.
QStringList apply(Action action, const QStringList& days, const ProgramFolder& folder,
                  const DaySchedule& times);

// The one message that tells the operator which days were not saved (or not cleared).
QString failureMessage(Action action, const QStringList& days);

} // namespace BulkOperations
