#pragma once

class Controller;

// Break music or the break program after the exit bell of a marked lesson, and how they continue.
class BreakActivities
{
public:
    explicit BreakActivities(Controller& c) : c(c) {}
    void continuationSteps(); // tick steps 9 to 11
    void breakStart();        // inside step 17
    // True when the break start, reached in this tick, starts music or the program.
    bool breakStartDue();

private:
    Controller& c;
};
