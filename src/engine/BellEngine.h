#pragma once

#include <QDateTime>
#include <QString>

class Controller;

// Step 17 of the tick: the clock against today's 53 cells, the once-a-minute guard, the bell start
// and the spoken announcements.
class BellEngine
{
public:
    explicit BellEngine(Controller& c) : c(c) {}
    void step17();

    // A few seconds before a bell minute, tells the player which sounds are wanted, so it can open
    // the device and decode them ahead and the bell starts on time. Changes nothing else.
    void prepareUpcoming(const QDateTime& now);
    static constexpr int PrepareLeadSeconds = 3;

private:
    void announce(const QString& file);

    Controller& c;
};
