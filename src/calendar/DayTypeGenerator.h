#pragma once

#include "schedule/DaySchedule.h"

#include <QTime>

#include <optional>

// What a day type's timetable is made from. A lesson begins with its teacher bell; its student bell
// rings `studentLeadMinutes` earlier (0: no student bell of its own), its exit bell when it ends.
struct DayTypeRecipe
{
    QTime firstLesson{8, 30}; // the teacher bell of the first lesson
    int lessonMinutes = 40;
    int breakMinutes = 10;
    int lessons = 8;    // 1..17
    int lunchAfter = 0; // the lesson after which the lunch break comes; 0: none
    int lunchMinutes = 0;
    int studentLeadMinutes = 2;
};

struct GeneratedDay
{
    std::optional<DaySchedule> slots; // the 53 values; lessons past the last and both assembly times "XX:XX"
    QString problem;                  // why nothing was made, for the operator
};

// Fills a day type's grid from the recipe, for the operator to look over and change before saving.
GeneratedDay generateDayType(const DayTypeRecipe& recipe);
