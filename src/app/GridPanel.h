#pragma once

#include "schedule/DaySchedule.h"

#include <QFrame>

#include <array>
#include <functional>

class Controller;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;

// Today's bell times, one row per lesson, with the music box of each lesson and the button that
// opens the timetable editor. The times are only shown here; they are changed in the editor.
class GridPanel : public QFrame
{
    Q_OBJECT
public:
    GridPanel(Controller& c, std::function<void()> openEditor, QWidget* parent = nullptr);
    void refresh();

    // Object name of the row label of a lesson (1..17).
    static QString lessonLabelName(int lesson);

private:
    QLabel* addHeadings(QGridLayout* grid);
    void alignColumnsUnder(QGridLayout* grid, QLabel* heading);
    void addLessonRow(QGridLayout* grid, int lesson);
    void addAssemblyRow(QGridLayout* grid, int row);
    QLineEdit* addTimeBox(QGridLayout* grid, int slot, int row, int column);
    // Marks a box whose bell the calendar silences today, with the reason as its tooltip.
    void markSilenced(int slot, const QString& reason);

    Controller& m_c;
    std::array<QLineEdit*, Slots::Count> m_boxes{};
    std::array<QCheckBox*, Slots::Lessons> m_music{};
    std::array<QString, Slots::Count> m_silenced{}; // the reasons the boxes show now
};
