#pragma once

#include <QWidget>

class Controller;
class QGroupBox;
class QLabel;
class QLineEdit;

// The top of the window: the date, the clock, the minute of the last bell and the bell switch.
class StatusPanel : public QWidget
{
    Q_OBJECT
public:
    explicit StatusPanel(Controller& c, QWidget* parent = nullptr);
    void refresh();
    // The clock's label alone: all that an idle second changes.
    void refreshClock();

private:
    QGroupBox* makeClock();
    QGroupBox* makeLastBell();

    Controller& m_c;
    QGroupBox* m_frame1 = nullptr;
    QLabel* m_label1 = nullptr;
    QLineEdit* m_text1 = nullptr;
    QLabel* m_label7 = nullptr;
    QLabel* m_label22 = nullptr;
};
