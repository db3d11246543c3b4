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

private:
    Controller& c;
};
