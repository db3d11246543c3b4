#include "schedule/DayFile.h"

#include "schedule/TextFile.h"

QString dayFilePath(const ProgramFolder& folder, const QString& dayName)
{
    return folder.path(QStringLiteral("\\saatler\\") + dayName + QStringLiteral(".txt"));
}

int readDayFile(const ProgramFolder& folder, const QString& dayName, DaySchedule& slots)
{
    int reached = 0;
    TextFile::forEachLine(dayFilePath(folder, dayName), DayFileLineLimit, [&](int number, const QString& text) {
        if (number > Slots::Count)
            return;
        // The first character is skipped untested and nothing after the sixth is looked at.
        slots[number - 1] = TextFile::quotedTime(text);
        reached = number;
    });
    return reached;
}

bool writeDayFile(const ProgramFolder& folder, const QString& dayName, const DaySchedule& slots)
{
    QStringList lines;
    for (const QString& value : slots)
        lines << TextFile::quoted(value);
    return TextFile::writeLines(dayFilePath(folder, dayName), lines);
}

bool clearDayFile(const ProgramFolder& folder, const QString& dayName)
{
    QStringList lines;
    for (int i = 0; i < Slots::ClearedLines; ++i)
        lines << QStringLiteral("\"XX:XX\"");
    return TextFile::writeLines(dayFilePath(folder, dayName), lines);
}
