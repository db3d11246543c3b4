#pragma once

#include "schedule/DaySchedule.h"

#include "editor/EditorFrame.h"
#include "editor/EditorGeometry.h"

#include <array>

class QLabel;
class QLineEdit;

// The frame "Saatler": the 53 time fields of one day, 17 lesson rows of student, teacher and exit
// bell plus the two assembly times, with their row labels and column heading. The fields are the
// editor's only copy of the day being edited. Object names follow the fields' numbering (Text1 ...
// Text53, Text43/Text44 for assembly); the row labels of lessons 1 to 8, one control array in the
// original numbering, are named Label8_0 ... Label8_7.
class TimeGrid : public EditorFrame
{
    Q_OBJECT
public:
    explicit TimeGrid(const EditorGeometry& geometry, QWidget* parent = nullptr);

    QLineEdit* field(int slot) const { return m_fields[slot]; }
    DaySchedule values() const;
    void setValues(const DaySchedule& values);

private:
    void addAssemblyRow();
    void addLessonRow(int lesson);
    QLabel* addLabel(const QString& name, const QString& text, const QRect& twips);
    void addField(int slot, int left, int top, int maxLength);

    const EditorGeometry m_geometry;
    std::array<QLineEdit*, Slots::Count> m_fields{};
};
