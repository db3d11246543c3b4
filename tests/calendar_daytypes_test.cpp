// Day types: names that are safe file names on every system, and the generator's timetables.
#include "calendar/DayTypeGenerator.h"
#include "calendar/DayTypes.h"
#include "support/TempFolder.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

TEST(DayTypes, NamesAreFileNamesOnEverySystem)
{
    const struct
    {
        const char* name;
        bool accepted;
    } cases[] = {
        {"Sınav günü", true},
        {"Karne günü (öğleden sonra)", true},
        {"30 dakika, kış", true},
        {"", false},
        {"  ", false},
        {".", false},
        {"..", false},
        {"a/b", false},
        {"a\\b", false},
        {"sınav: 1", false},
        {"ne?", false},
        {"\"tırnak\"", false},
        {"a<b>", false},
        {"a|b", false},
        {"yıldız*", false},
        {"iki\nsatır", false},
        {"sonu boşluk ", false},
        {"sonu nokta.", false},
        {"CON", false},
        {"lpt1.txt", false},
        {"Console", true},
    };
    TempFolder t;
    DaySchedule slots;
    slots.fill(QStringLiteral("XX:XX"));
    for (const auto& c : cases) {
        const QString name = QString::fromUtf8(c.name);
        EXPECT_EQ(DayTypes::nameProblem(name).isEmpty(), c.accepted) << c.name;
        EXPECT_EQ(DayTypes::save(t.folder, name, slots), c.accepted) << c.name;
    }
    // Only the accepted ones became files, each in saatler/ozel.
    EXPECT_EQ(DayTypes::names(t.folder),
              QStringList({"30 dakika, kış", "Console", "Karne günü (öğleden sonra)", "Sınav günü"}));
    EXPECT_EQ(t.entries(), QStringList({"saatler"}));
}

TEST(DayTypes, GeneratorMakesTheDayOrSaysWhyNot)
{
    const struct
    {
        const char* name;
        DayTypeRecipe recipe;
        QStringList lessons; // "student teacher exit" per lesson; a problem's start when none is made
    } cases[] = {
        {"winter regime",
         {QTime(8, 30), 30, 10, 3},
         {"08:28 08:30 09:00", "09:08 09:10 09:40", "09:48 09:50 10:20"}},
        {"lunch after the second lesson",
         {QTime(8, 0), 40, 10, 3, 2, 45, 5},
         {"07:55 08:00 08:40", "08:45 08:50 09:30", "10:10 10:15 10:55"}},
        {"no student bell of its own",
         {QTime(9, 0), 40, 15, 2, 0, 0, 0},
         {"XX:XX 09:00 09:40", "XX:XX 09:55 10:35"}},
        {"past midnight", {QTime(22, 0), 60, 10, 3}, {"2. dersin çıkışı gece yarısını geçiyor"}},
        {"student bell before midnight", {QTime(0, 1), 40, 10, 1}, {"İlk öğrenci zili"}},
        {"break no longer than the lead", {QTime(8, 0), 40, 2, 3}, {"Teneffüs"}},
        {"eighteen lessons", {QTime(8, 0), 20, 5, 18}, {"Ders sayısı"}},
        {"lunch after the last lesson", {QTime(8, 0), 40, 10, 3, 3, 45}, {"Öğle arası"}},
    };
    for (const auto& c : cases) {
        const GeneratedDay day = generateDayType(c.recipe);
        if (!day.slots) {
            ASSERT_EQ(c.lessons.size(), 1) << c.name << ": " << day.problem.toStdString();
            EXPECT_TRUE(day.problem.startsWith(c.lessons.first()))
                << c.name << ": " << day.problem.toStdString();
            continue;
        }
        QStringList lessons;
        for (int lesson = 1; lesson <= Slots::Lessons; ++lesson) {
            const int at = Slots::lessonSlot(lesson, Slots::Column::Student);
            const QString row = (*day.slots)[at] + ' ' + (*day.slots)[at + 1] + ' ' + (*day.slots)[at + 2];
            if (row != QLatin1String("XX:XX XX:XX XX:XX"))
                lessons << row;
        }
        EXPECT_EQ(lessons, c.lessons) << c.name;
        EXPECT_EQ((*day.slots)[Slots::Assembly1], QStringLiteral("XX:XX")) << c.name;
    }
}
