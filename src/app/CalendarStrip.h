#pragma once

#include "calendar/CalendarTexts.h"

#include <QWidget>

#include <functional>

class Controller;
class QLabel;
class QToolButton;

// On the menu's line, left of the clock warning: the "Takvim" button, what the calendar says of today
// ("Bugün tatil: Cumhuriyet Bayramı", "Yarım gün: 13:00'ten sonra zil yok") and, in red, what is wrong
// with it (a takvim.ics that cannot be read, a day type without its file). One line whatever is said,
// so the window never grows with it: a text too long for it ends in "…" and is whole in the tooltip.
class CalendarStrip : public QWidget
{
    Q_OBJECT
public:
    CalendarStrip(Controller& c, std::function<void()> openCalendar, QWidget* parent = nullptr);
    void refresh();
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();

    Controller& m_c;
    QToolButton* m_button = nullptr;
    QLabel* m_note = nullptr;
    QLabel* m_warning = nullptr;
    QString m_noteText;
    QString m_warningText;
    QList<CalendarNote> m_shown;
};
