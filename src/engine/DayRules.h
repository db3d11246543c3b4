#pragma once

class Controller;

// Weekend close and silence, and the scheduled shutdown: tick steps 12, 13 and 16.
class DayRules
{
public:
    explicit DayRules(Controller& c) : c(c) {}
    void weekendClose();      // step 12; unloads the main window
    void weekendSilence();    // step 13
    void scheduledShutdown(); // step 16

    // Today's group for these rules: the day's name, unless the calendar makes it a school day.
    bool weekend() const;
    bool weekday() const;

private:
    Controller& c;
};
