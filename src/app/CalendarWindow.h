#pragma once

#include "engine/CalendarActions.h"

#include <QWidget>

#include <memory>

class CalendarEntryList;
class Controller;
class Dialogs;
class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class SchoolYearView;

// "Takvim": the school year month by month, each day coloured by what decides it; the chosen day's
// rules and where they come from; the school's own entries with add, change and remove; the school
// year's five ranges, the day types, import and export of .ics files, and the national calendar's
// switch. Every change is saved and applied at once by the calendar's commands.
class CalendarWindow : public QWidget
{
    Q_OBJECT
public:
    CalendarWindow(Controller& c, double zoom, QWidget* parent = nullptr);
    ~CalendarWindow() override;

    // Shows the calendar as it is now, keeping the year, the day and the entry chosen.
    void refresh();
    SchoolYearView* yearView() const { return m_view; }

private:
    QWidget* makeYearSide();
    QWidget* makeEntrySide();
    QWidget* makeLegend();
    QPushButton* addButton(QWidget* parent, const char* name, const QString& caption,
                           void (CalendarWindow::*slot)(), const QString& tip = {});
    void showYear(int year);
    void showDay();
    void showWarnings();
    void dayChosen();
    void entryClicked();
    void dayActivated(const QDate& date);

    void add(CalendarActions::NewEntry kind);
    void edit();
    void remove();
    void schoolYear();
    void dayTypes();
    void importFile();
    void nationalSwitched(bool applies);
    // After an action: everything shown again, with `uid` chosen when one was added or changed.
    void changed(const QString& uid = {});

    Controller& m_c;
    // Questions and messages over this window; must outlive the actions that use them.
    std::unique_ptr<Dialogs> m_dialogs;
    CalendarActions m_actions;
    QLabel* m_warnings = nullptr;
    QLabel* m_yearTitle = nullptr;
    SchoolYearView* m_view = nullptr;
    QLabel* m_dayTitle = nullptr;
    QTreeWidget* m_dayRules = nullptr;
    CalendarEntryList* m_entries = nullptr;
    QCheckBox* m_national = nullptr;
};
