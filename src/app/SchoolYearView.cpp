#include "app/SchoolYearView.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace {
constexpr int Months = 12;
constexpr int MonthsPerRow = 4;
constexpr int RowsPerMonth = 8; // the month's name, the weekdays, six weeks
const char* const WeekdayHeads[7] = {"Pt", "Sa", "Ça", "Pe", "Cu", "Ct", "Pz"};
const QColor CeremonyMark(106, 27, 154);
const QColor TodayFrame(33, 33, 33);

// The month's index in the school year: September is 0, August 11.
int monthIndex(const QDate& date)
{
    return (date.month() + 3) % 12;
}
} // namespace

SchoolYearView::SchoolYearView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("schoolYearView"));
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

int SchoolYearView::schoolYearOf(const QDate& date)
{
    return date.month() >= 9 ? date.year() : date.year() - 1;
}

QColor SchoolYearView::colour(DayKind kind)
{
    switch (kind) {
    case DayKind::SchoolDay:
        return QColor(165, 214, 167);
    case DayKind::DayType:
        return QColor(144, 202, 249);
    case DayKind::HalfDay:
        return QColor(255, 204, 128);
    case DayKind::Holiday:
        return QColor(239, 154, 154);
    case DayKind::OutsideSchoolYear:
        return QColor(208, 208, 208);
    case DayKind::Weekly:
        break;
    }
    return QColor();
}

void SchoolYearView::setDays(int year, const QList<Day>& days)
{
    m_year = year;
    m_days = days;
    if (!m_selected.isValid() || m_selected < firstDay() || m_selected > lastDay())
        m_selected = m_today >= firstDay() && m_today <= lastDay() ? m_today : firstDay();
    update();
}

void SchoolYearView::select(const QDate& date)
{
    if (!date.isValid() || date == m_selected || date < firstDay() || date > lastDay())
        return;
    m_selected = date;
    update();
    Q_EMIT selectedChanged(date);
}

void SchoolYearView::setToday(const QDate& today)
{
    if (m_today != today) {
        m_today = today;
        update();
    }
}

QSize SchoolYearView::cell() const
{
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(QStringLiteral("00")) + metrics.height() / 2, metrics.height() + 3};
}

QSize SchoolYearView::sizeHint() const
{
    const QSize c = cell();
    const int gapX = c.width() * 2 / 3, gapY = c.height() / 2;
    return {MonthsPerRow * 7 * c.width() + (MonthsPerRow - 1) * gapX,
            Months / MonthsPerRow * (RowsPerMonth * c.height() + gapY) - gapY};
}

QPoint SchoolYearView::monthOrigin(int month) const
{
    const QSize c = cell();
    return {month % MonthsPerRow * (7 * c.width() + c.width() * 2 / 3),
            month / MonthsPerRow * (RowsPerMonth * c.height() + c.height() / 2)};
}

QRect SchoolYearView::dayRect(const QDate& date) const
{
    const QSize c = cell();
    const int index = QDate(date.year(), date.month(), 1).dayOfWeek() - 1 + date.day() - 1;
    return QRect(monthOrigin(monthIndex(date)) + QPoint(index % 7 * c.width(), (2 + index / 7) * c.height()), c);
}

QDate SchoolYearView::dateAt(const QPoint& point) const
{
    const QSize c = cell();
    for (int month = 0; month < Months; ++month) {
        const QPoint at = point - monthOrigin(month);
        if (at.x() < 0 || at.y() < 2 * c.height() || at.x() >= 7 * c.width() ||
            at.y() >= RowsPerMonth * c.height())
            continue;
        const QDate first = firstDay().addMonths(month);
        const int day = (at.y() / c.height() - 2) * 7 + at.x() / c.width() - (first.dayOfWeek() - 1) + 1;
        return day >= 1 && day <= first.daysInMonth() ? first.addDays(day - 1) : QDate();
    }
    return QDate();
}

const SchoolYearView::Day* SchoolYearView::dayOf(const QDate& date) const
{
    const qint64 i = firstDay().daysTo(date);
    return i >= 0 && i < m_days.size() ? &m_days.at(i) : nullptr;
}

void SchoolYearView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (int month = 0; month < Months; ++month)
        paintMonth(painter, month);
}

void SchoolYearView::paintMonth(QPainter& painter, int month) const
{
    const QSize c = cell();
    const QPoint origin = monthOrigin(month);
    const QDate first = firstDay().addMonths(month);
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(palette().color(QPalette::WindowText));
    const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    painter.drawText(QRect(origin, QSize(7 * c.width(), c.height())), Qt::AlignCenter,
                     turkish.standaloneMonthName(first.month()) + QLatin1Char(' ') +
                         QString::number(first.year()));
    painter.setFont(font());
    for (int d = 0; d < 7; ++d) {
        // The weekend's columns in a lighter shade.
        painter.setPen(palette().color(d < 5 ? QPalette::WindowText : QPalette::PlaceholderText));
        painter.drawText(QRect(origin + QPoint(d * c.width(), c.height()), c), Qt::AlignCenter,
                         QString::fromUtf8(WeekdayHeads[d]));
    }
    for (QDate date = first; date.month() == first.month(); date = date.addDays(1))
        paintDay(painter, date);
}

void SchoolYearView::paintDay(QPainter& painter, const QDate& date) const
{
    const Day* day = dayOf(date);
    const QRect r = dayRect(date).adjusted(1, 1, -1, -1);
    const QColor fill = day ? colour(day->kind) : QColor();
    painter.fillRect(r, fill.isValid() ? fill : palette().color(QPalette::Base));
    if (day && day->ceremony)
        paintCeremony(painter, r);
    QFont f = font();
    f.setBold(date == m_today);
    painter.setFont(f);
    painter.setPen(Qt::black);
    painter.drawText(r, Qt::AlignCenter, QString::number(date.day()));
    if (date == m_today) {
        painter.setPen(QPen(TodayFrame, 1));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
    if (date == m_selected) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(r.adjusted(1, 1, -1, -1));
    }
}

void SchoolYearView::paintCeremony(QPainter& painter, const QRect& r)
{
    const int radius = std::max(2, r.height() / 6);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(CeremonyMark);
    painter.drawEllipse(QPoint(r.right() - radius, r.top() + radius), radius, radius);
    painter.restore();
}

QPixmap SchoolYearView::mark(int side, const QColor& fill, bool ceremony, bool today)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(pixmap.rect(), fill.isValid() ? fill : QColor(Qt::white));
    if (ceremony)
        paintCeremony(painter, pixmap.rect().adjusted(1, 1, -1, -1));
    painter.setPen(today ? QPen(TodayFrame, 2) : QPen(QColor(150, 150, 150)));
    painter.drawRect(today ? pixmap.rect().adjusted(1, 1, -1, -1) : pixmap.rect().adjusted(0, 0, -1, -1));
    return pixmap;
}

bool SchoolYearView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const Day* day = dayOf(dateAt(help->pos()));
        if (day && !day->tip.isEmpty())
            QToolTip::showText(help->globalPos(), day->tip, this, dayRect(dateAt(help->pos())));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void SchoolYearView::mousePressEvent(QMouseEvent* event)
{
    select(dateAt(event->position().toPoint()));
}

void SchoolYearView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QDate date = dateAt(event->position().toPoint());
    if (date.isValid())
        Q_EMIT activated(date);
}

void SchoolYearView::keyPressEvent(QKeyEvent* event)
{
    const int step = event->key() == Qt::Key_Left    ? -1
                     : event->key() == Qt::Key_Right ? 1
                     : event->key() == Qt::Key_Up    ? -7
                     : event->key() == Qt::Key_Down  ? 7
                                                     : 0;
    if (step != 0) {
        select(m_selected.addDays(step));
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Q_EMIT activated(m_selected);
    } else {
        QWidget::keyPressEvent(event);
    }
}
