#include "engine/GridMinutes.h"

namespace {
GridMinutes::Kind kindOf(int slot)
{
    if (!Slots::isLessonSlot(slot))
        return GridMinutes::Assembly;
    switch (Slots::columnOf(slot)) {
    case Slots::Column::Student:
        return GridMinutes::Student;
    case Slots::Column::Teacher:
        return GridMinutes::Teacher;
    case Slots::Column::Exit:
        break;
    }
    return GridMinutes::Exit;
}
} // namespace

quint8 GridMinutes::kindsAt(const DaySchedule& grid, const QString& minute) const
{
    // Identity, not equality: comparing 53 pointers is what lets the index pay for itself.
    if (!m_made || !sameTexts(grid, m_grid)) {
        m_grid = grid;
        m_kinds.clear();
        for (int i = 0; i < Slots::Count; ++i)
            m_kinds[grid[i]] |= kindOf(i);
        m_made = true;
    }
    return m_kinds.value(minute, 0);
}
