#include "engine/MainModel.h"

namespace {
// The design-time texts of lessons 1 to 8 form a sample day.
const char* const SampleDay[24] = {"08:40", "08:50", "09:30", "09:38", "09:40", "10:20", "10:38", "10:40",
                                   "11:20", "11:28", "11:30", "12:10", "13:27", "13:30", "14:10", "14:28",
                                   "14:30", "15:10", "15:28", "15:30", "16:35", "16:43", "16:45", "17:25"};
} // namespace

MainModelData::MainModelData()
{
    for (int i = 0; i < 24; ++i)
        grid[i] = QString::fromLatin1(SampleDay[i]);
}

QString lessonMusicBoxName(int lesson)
{
    if (lesson <= 14)
        return QStringLiteral("Check%1").arg(lesson + 6);
    if (lesson == 15)
        return QStringLiteral("Check6");
    return QStringLiteral("Check%1").arg(lesson + 5); // 16 -> Check21, 17 -> Check22
}
