#pragma once

#include "editor/BulkOperations.h"
#include "editor/EditorGeometry.h"
#include "engine/Dialogs.h"
#include "schedule/DaySchedule.h"
#include "schedule/ProgramFolder.h"

#include <QWidget>

#include <array>
#include <memory>

class QAbstractButton;
class QGroupBox;
class QLineEdit;
class QListWidget;
class TimeGrid;

// The schedule editor "Saatler": one day of the weekly timetable at a time, chosen in the day list,
// with a save button and the bulk copy and clear buttons. It works on the day files only and never
// talks to the main window, which picks changes up when it next loads a day.
class Form2 : public QWidget
{
    Q_OBJECT
public:
    // `zoom` draws the window larger or smaller than its design size (see EditorGeometry).
    explicit Form2(const ProgramFolder& folder, Dialogs& dialogs, double zoom = 1.0,
                   QWidget* parent = nullptr);

    QListWidget* dayList() const { return m_list1; }
    QLineEdit* field(int slot) const;
    QAbstractButton* command(int number) const { return m_commands.at(number); } // Command1 ... Command8
    QString selectedDay() const; // empty when no day is selected
    DaySchedule fields() const;

private:
    void Form_Load();
    void List1_Click();
    void Command1_Click();
    void runBulk(const BulkOperations::Operation& operation);

    void buildDayFrame();
    void buildButtonFrames();
    QGroupBox* buildButtonFrame(const QString& name, const QString& caption, int top);
    void addBulkCommand(QGroupBox* frame, int frameTop, int number, int top);
    QAbstractButton* addCommand(QGroupBox* frame, int frameTop, int number, const QString& caption, int top,
                                int height);
    void setKeyboardOrder();
    void tellNoDaySelected();
    void reportNotWritten(BulkOperations::Action action, const QStringList& days);

    const EditorGeometry m_geometry;
    const ProgramFolder m_folder;
    // The editor's own questions and messages, shown over the editor and not the main window.
    std::unique_ptr<Dialogs> m_dialogs;
    QListWidget* m_list1 = nullptr;
    TimeGrid* m_grid = nullptr;
    std::array<QAbstractButton*, 9> m_commands{}; // indexed by button number; [0] unused
};
