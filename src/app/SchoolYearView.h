#pragma once

#include "calendar/CalendarDay.h"

#include <QDate>
#include <QList>
#include <QPixmap>
#include <QWidget>

// A school year at a glance: the twelve months from September to August, four to a row, each day
// coloured by what decides it, a dot on a ceremony's day, today framed. A day is chosen with the
// mouse or the arrow keys; a double click or Enter asks to act on it.
class SchoolYearView : public QWidget
{
    Q_OBJECT
public:
    struct Day
    {
        DayKind kind = DayKind::Weekly;
        bool ceremony = false;
        QString tip;
    };

    explicit SchoolYearView(QWidget* parent = nullptr);

    // The year beginning on 1 September of `year`; `days` from that day on, one per day.
    void setDays(int year, const QList<Day>& days);
    int year() const { return m_year; }
    QDate firstDay() const { return QDate(m_year, 9, 1); }
    QDate lastDay() const { return QDate(m_year + 1, 8, 31); }

    QDate selected() const { return m_selected; }
    void select(const QDate& date);
    void setToday(const QDate& today);

    // The colour a day of that kind is painted in; none for the weekly timetable's days.
    static QColor colour(DayKind kind);
    // A square of the legend, or of a list, in a day's colours: its fill, a ceremony's dot, today's frame.
    static QPixmap mark(int side, const QColor& fill, bool ceremony = false, bool today = false);
    // The school year a date belongs to: the year of the September it follows.
    static int schoolYearOf(const QDate& date);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    void selectedChanged(const QDate& date);
    void activated(const QDate& date);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QSize cell() const;
    QPoint monthOrigin(int month) const; // month 0 is September
    QRect dayRect(const QDate& date) const;
    QDate dateAt(const QPoint& point) const;
    const Day* dayOf(const QDate& date) const;
    void paintMonth(QPainter& painter, int month) const;
    void paintDay(QPainter& painter, const QDate& date) const;
    static void paintCeremony(QPainter& painter, const QRect& day);

    int m_year = 2000;
    QList<Day> m_days;
    QDate m_selected;
    QDate m_today;
};
