#pragma once

#include "calendar/SchoolYearDates.h"

#include <QDialog>

#include <array>

class QDateEdit;

// "Eğitim yılı": the five ranges MEB publishes for a school year (the two terms, the two mid-term
// breaks and the semester break), entered in one go from the year's official calendar.
class SchoolYearDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SchoolYearDialog(const SchoolYearDates& dates, QWidget* parent = nullptr);

    SchoolYearDates dates() const;

private:
    static constexpr int Ranges = 5;
    std::array<QDateEdit*, Ranges> m_first{};
    std::array<QDateEdit*, Ranges> m_last{};
};
