#pragma once

#include "schedule/DaySchedule.h"

#include <QHash>

// Which kinds of bell stand at a minute of today's grid. The tick asks several times a second and the
// grid changes only when a timetable is loaded, so the answer comes from an index of the grid, made
// again whenever the grid holds other texts than the ones it was made from.
class GridMinutes
{
public:
    enum Kind : quint8 { Student = 1, Teacher = 2, Exit = 4, Assembly = 8 };

    // The kinds at `minute`, compared as text exactly as the grid's boxes are; 0 when none.
    quint8 kindsAt(const DaySchedule& grid, const QString& minute) const;

    bool any(const DaySchedule& grid, const QString& minute) const { return kindsAt(grid, minute) != 0; }
    bool has(const DaySchedule& grid, const QString& minute, Kind kind) const
    {
        return (kindsAt(grid, minute) & kind) != 0;
    }

private:
    // The grid the index was made from: its texts share the model's, so a changed box is a new text.
    mutable DaySchedule m_grid;
    mutable QHash<QString, quint8> m_kinds;
    mutable bool m_made = false;
};
