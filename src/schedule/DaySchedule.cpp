#include "schedule/DaySchedule.h"

namespace Slots {

QString mainFieldName(int slot)
{
    if (slot == Assembly1)
        return QStringLiteral("Text46");
    if (slot == Assembly2)
        return QStringLiteral("Text47");
    // Text26 and Text45 hold the shutdown times, so lessons 9-14 and 15-17 skip a number each.
    int n = slot + 2;
    if (slot >= lessonSlot(9, Column::Student))
        n += 1;
    if (slot >= lessonSlot(15, Column::Student))
        n += 3;
    return QStringLiteral("Text%1").arg(n);
}

QString editorFieldName(int slot)
{
    if (slot == Assembly1)
        return QStringLiteral("Text43");
    if (slot == Assembly2)
        return QStringLiteral("Text44");
    int n = slot + 1;
    if (slot >= lessonSlot(15, Column::Student))
        n += 2;
    return QStringLiteral("Text%1").arg(n);
}

} // namespace Slots

bool sameTexts(const DaySchedule& a, const DaySchedule& b)
{
    for (int i = 0; i < Slots::Count; ++i) {
        if (a[i].constData() != b[i].constData() || a[i].size() != b[i].size())
            return false;
    }
    return true;
}
