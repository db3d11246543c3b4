#pragma once

#include "schedule/DaySchedule.h"

#include "editor/EditorFrame.h"

#include <array>

class QLabel;
class QLineEdit;

// The frame "Saatler": the 53 time fields of one day, 17 lesson rows of student, teacher and exit
// bell plus the two assembly times, with their row labels and column heading. The fields are the
// editor's only copy of the day being edited.
class TimeGrid : public EditorFrame
{
    Q_OBJECT
public:
    explicit TimeGrid(QWidget* parent = nullptr);

    QLineEdit* field(int slot) const { return m_fields[slot]; }
    DaySchedule values() const;
    void setValues(const DaySchedule& values);

private:
    void addAssemblyRow();
    void addLessonRow(int lesson);
    QLabel* addLabel(const QString& name, const QString& text, const QRect& twips);
    void addField(int slot, int left, int top, int maxLength);

    std::array<QLineEdit*, Slots::Count> m_fields{};
};
