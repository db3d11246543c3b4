#include "schedule/DayFile.h"

#include "schedule/TextFile.h"

namespace {
QString relativePath(const QString& dayName)
{
    return QStringLiteral("\\saatler\\") + dayName + QStringLiteral(".txt");
}

QString dayTypeRelativePath(const QString& typeName)
{
    return QStringLiteral("\\saatler\\ozel\\") + typeName + QStringLiteral(".txt");
}

int readSlots(const QString& path, DaySchedule& slots)
{
    int reached = 0;
    TextFile::forEachLine(path, DayFileLineLimit, [&](int number, const QString& text) {
        if (number > Slots::Count)
            return;
        // The first character is skipped untested and nothing after the sixth is looked at.
        slots[number - 1] = TextFile::quotedTime(text);
        reached = number;
    });
    return reached;
}

bool writeSlots(const ProgramFolder& folder, const QString& relative, const DaySchedule& slots)
{
    QStringList lines;
    for (const QString& value : slots)
        lines << TextFile::quoted(value);
    return TextFile::saveLines(folder, relative, lines);
}
} // namespace

QString dayFilePath(const ProgramFolder& folder, const QString& dayName)
{
    return folder.path(relativePath(dayName));
}

int readDayFile(const ProgramFolder& folder, const QString& dayName, DaySchedule& slots)
{
    return readSlots(dayFilePath(folder, dayName), slots);
}

bool writeDayFile(const ProgramFolder& folder, const QString& dayName, const DaySchedule& slots)
{
    return writeSlots(folder, relativePath(dayName), slots);
}

QString dayTypeFilePath(const ProgramFolder& folder, const QString& typeName)
{
    return folder.path(dayTypeRelativePath(typeName));
}

int readDayTypeFile(const ProgramFolder& folder, const QString& typeName, DaySchedule& slots)
{
    return readSlots(dayTypeFilePath(folder, typeName), slots);
}

bool writeDayTypeFile(const ProgramFolder& folder, const QString& typeName, const DaySchedule& slots)
{
    return writeSlots(folder, dayTypeRelativePath(typeName), slots);
}

bool clearDayFile(const ProgramFolder& folder, const QString& dayName)
{
    const QStringList lines(Slots::ClearedLines, TextFile::quoted(QStringLiteral("XX:XX")));
    return TextFile::saveLines(folder, relativePath(dayName), lines);
}
