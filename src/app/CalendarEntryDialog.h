#pragma once

#include "calendar/CalendarEntry.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QDateTimeEdit;
class QFormLayout;
class QLabel;
class QLineEdit;

// One entry of the school's calendar: its name, its kind (an all-day holiday, a half day or other
// timed holiday, a day type, a school day, a school year's range, a ceremony) and what that kind takes:
// its days, its times, its day type, its ceremony sound. What is typed is checked when it is saved,
// not here; the dialog only keeps the fields of the chosen kind in view.
class CalendarEntryDialog : public QDialog
{
    Q_OBJECT
public:
    CalendarEntryDialog(const CalendarEntry& entry, const QStringList& dayTypes, QWidget* parent = nullptr);

    // The entry as the fields hold it; the properties the dialog does not show are kept.
    CalendarEntry entry() const;

    // The kinds the dialog offers, in its list.
    enum class Form { Holiday, TimedHoliday, DayType, SchoolDay, SchoolYear, Ceremony, Other };

private:
    void buildFields(const QStringList& dayTypes);
    void showEntry();
    void showForm();
    Form form() const;
    QDate shownFirstDay() const;

    CalendarEntry m_entry;
    Form m_shown = Form::Holiday;
    QFormLayout* m_layout = nullptr;
    QComboBox* m_kind = nullptr;
    QLineEdit* m_name = nullptr;
    QDateEdit* m_first = nullptr;
    QDateEdit* m_last = nullptr;
    QDateTimeEdit* m_start = nullptr;
    QDateTimeEdit* m_end = nullptr;
    QCheckBox* m_toEndOfDay = nullptr;
    QDateTimeEdit* m_moment = nullptr;
    QComboBox* m_sound = nullptr;
    QComboBox* m_dayType = nullptr;
    QComboBox* m_source = nullptr;
    QCheckBox* m_yearly = nullptr;
    QLabel* m_help = nullptr;
};
