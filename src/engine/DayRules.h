#pragma once

#include <QDate>

class Controller;

// Weekend close and silence, and the scheduled shutdown: tick steps 12, 13 and 16.
class DayRules
{
public:
    explicit DayRules(Controller& c) : c(c) {}
    void weekendClose();      // step 12; unloads the main window
    void weekendSilence();    // step 13
    void scheduledShutdown(); // step 16

    // A run that nothing starts again on Monday (the headless service) keeps running at the weekend
    // instead of closing, silent, as the weekend silence is; the log says so once a day.
    bool closeKeepsRunning = false;

    // Today's group for these rules: the day's name, unless the calendar makes it a school day.
    bool weekend() const;
    bool weekday() const;

private:
    void silence();

    Controller& c;
    QDate m_silenceLogged; // the last day the weekend close was logged as silence
};
