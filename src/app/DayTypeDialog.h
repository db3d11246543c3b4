#pragma once

#include "schedule/DaySchedule.h"

#include <QDialog>

#include <memory>

class CalendarCommands;
class Dialogs;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QTimeEdit;
class TimeGrid;

// "Gün türleri": the timetables of special days (an exam day, a report-card day, winter's 30-minute
// lessons). A day type is chosen from the list or named anew; its grid is filled by hand or by the
// generator from the lesson and break lengths, looked over, changed where needed, and saved.
class DayTypeDialog : public QDialog
{
    Q_OBJECT
public:
    DayTypeDialog(CalendarCommands& commands, Dialogs& dialogs, QWidget* parent = nullptr);
    ~DayTypeDialog() override;

    // Asks before unsaved changes are given up.
    void done(int result) override;

    // The grid's zoom on a screen whose free area is this large: as large as it reads well, no larger
    // than the screen holds.
    static double zoomFor(const QSize& available);

private:
    QWidget* makeListFrame();
    QWidget* makeGenerator();
    void fillList(const QString& selected);
    void chosen();
    void newType();
    void generate();
    void save();
    void remove();
    bool changed() const;
    bool mayDiscard(const QString& question);
    void keep(const QString& name);

    CalendarCommands& m_commands;
    std::unique_ptr<Dialogs> m_dialogs;
    QListWidget* m_list = nullptr;
    QLineEdit* m_name = nullptr;
    TimeGrid* m_grid = nullptr;
    QTimeEdit* m_first = nullptr;
    QSpinBox* m_lesson = nullptr;
    QSpinBox* m_break = nullptr;
    QSpinBox* m_count = nullptr;
    QSpinBox* m_lunchAfter = nullptr;
    QSpinBox* m_lunch = nullptr;
    QSpinBox* m_lead = nullptr;
    // What is stored, to tell unsaved changes.
    DaySchedule m_saved{};
    QString m_savedName;
};
