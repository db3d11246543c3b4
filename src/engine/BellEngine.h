#pragma once

#include <QString>

class Controller;

// Step 17 of the tick: the clock against today's 53 cells, the once-a-minute guard, the bell start
// and the spoken announcements.
class BellEngine
{
public:
    explicit BellEngine(Controller& c) : c(c) {}
    void step17();

private:
    void announce(const QString& file);

    Controller& c;
};
