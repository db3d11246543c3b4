#include "app/SchoolYearDialog.h"

#include "app/Controls.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The ranges in the order of the year, each a pair of members of SchoolYearDates.
struct Range
{
    const char* name;
    const char* help;
    QDate SchoolYearDates::*first;
    QDate SchoolYearDates::*last;
};

const Range RangeRows[] = {
    {"1. dönem", "zil çalar", &SchoolYearDates::firstTermStart, &SchoolYearDates::firstTermEnd},
    {"1. ara tatil", "zil çalmaz", &SchoolYearDates::firstBreakStart, &SchoolYearDates::firstBreakEnd},
    {"Yarıyıl tatili", "zil çalmaz", &SchoolYearDates::semesterStart, &SchoolYearDates::semesterEnd},
    {"2. dönem", "zil çalar", &SchoolYearDates::secondTermStart, &SchoolYearDates::secondTermEnd},
    {"2. ara tatil", "zil çalmaz", &SchoolYearDates::secondBreakStart, &SchoolYearDates::secondBreakEnd},
};

QDateEdit* dateEdit(QWidget* parent, const QDate& date)
{
    auto* e = new QDateEdit(date, parent);
    e->setLocale(QLocale(QLocale::Turkish, QLocale::Turkey));
    e->setDisplayFormat(QStringLiteral("d MMMM yyyy dddd"));
    e->setCalendarPopup(true);
    return e;
}
} // namespace

SchoolYearDialog::SchoolYearDialog(const SchoolYearDates& dates, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SchoolYearDialog"));
    const int year = dates.firstTermStart.year();
    setWindowTitle(QStringLiteral("Eğitim yılı %1–%2").arg(year).arg(year + 1));
    auto* intro = new QLabel(
        QStringLiteral("Millî Eğitim Bakanlığının %1–%2 eğitim yılı için yayımladığı çalışma takvimindeki "
                       "tarihleri giriniz. Dönemlerin dışında kalan günlerde (yaz tatili) ve ara tatillerde "
                       "zil çalmaz. Bu yılın tarihleri daha önce girildiyse yenileriyle değişir.")
            .arg(year)
            .arg(year + 1),
        this);
    intro->setWordWrap(true);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("<b>Başlangıç</b>"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("<b>Bitiş</b>"), this), 0, 2);
    for (int i = 0; i < Ranges; ++i) {
        const Range& r = RangeRows[i];
        grid->addWidget(new QLabel(QString::fromUtf8(r.name), this), i + 1, 0);
        m_first[i] = dateEdit(this, dates.*r.first);
        m_last[i] = dateEdit(this, dates.*r.last);
        m_first[i]->setObjectName(QStringLiteral("rangeStart%1").arg(i + 1));
        m_last[i]->setObjectName(QStringLiteral("rangeEnd%1").arg(i + 1));
        grid->addWidget(m_first[i], i + 1, 1);
        grid->addWidget(m_last[i], i + 1, 2);
        grid->addWidget(new QLabel(QString::fromUtf8(r.help), this), i + 1, 3);
    }

    QDialogButtonBox* buttons = Controls::saveCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    // Wide enough that the introduction wraps to a few lines, not a narrow column.
    intro->setMinimumWidth(grid->sizeHint().width());
}

SchoolYearDates SchoolYearDialog::dates() const
{
    SchoolYearDates d;
    for (int i = 0; i < Ranges; ++i) {
        d.*(RangeRows[i].first) = m_first[i]->date();
        d.*(RangeRows[i].last) = m_last[i]->date();
    }
    return d;
}
