#pragma once

#include <QString>

#include <array>

// The 53 time slots of one day, in file order: student, teacher and exit bell of lessons 1 to 17,
// then the two assembly times. A slot is text; the system never parses it.
namespace Slots {
constexpr int Count = 53;
constexpr int Lessons = 17;
constexpr int Assembly1 = 51; // line 52
constexpr int Assembly2 = 52; // line 53
constexpr int ClearedLines = 45; // lessons 1 to 15

enum class Column { Student = 0, Teacher = 1, Exit = 2 };

// Slot index (0-based, line - 1) of a lesson's bell; lesson counts from 1.
constexpr int lessonSlot(int lesson, Column column)
{
    return (lesson - 1) * 3 + static_cast<int>(column);
}
constexpr bool isLessonSlot(int slot) { return slot >= 0 && slot < Lessons * 3; }
constexpr int lessonOf(int slot) { return slot / 3 + 1; }
constexpr Column columnOf(int slot) { return static_cast<Column>(slot % 3); }

// Object names of the fields that hold each slot.
QString mainFieldName(int slot);   // Form1: Text2 ... Text56, Text46/Text47
QString editorFieldName(int slot); // Form2: Text1 ... Text53, Text43/Text44
} // namespace Slots

using DaySchedule = std::array<QString, Slots::Count>;

// True when both days hold the very same texts, shared and not copied apart: unchanged, without
// comparing a character. A box that was set since holds a text of its own, so this is false then.
bool sameTexts(const DaySchedule& a, const DaySchedule& b);
