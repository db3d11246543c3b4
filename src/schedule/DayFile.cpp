#include "schedule/DayFile.h"

#include "schedule/TextFile.h"

namespace {
QString relativePath(const QString& dayName)
{
    return QStringLiteral("\\saatler\\") + dayName + QStringLiteral(".txt");
}
} // namespace

QString dayFilePath(const ProgramFolder& folder, const QString& dayName)
{
    return folder.path(relativePath(dayName));
}

int readDayFile(const ProgramFolder& folder, const QString& dayName, DaySchedule& slots)
{
    int reached = 0;
    const QString path = dayFilePath(folder, dayName);
    TextFile::forEachLine(path, DayFileLineLimit, [&](int number, const QString& text) {
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
    return TextFile::saveLines(folder, relativePath(dayName), lines);
}

bool clearDayFile(const ProgramFolder& folder, const QString& dayName)
{
    const QStringList lines(Slots::ClearedLines, TextFile::quoted(QStringLiteral("XX:XX")));
    return TextFile::saveLines(folder, relativePath(dayName), lines);
}
