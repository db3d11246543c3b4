#pragma once

#include "engine/Clock.h"

#include <QObject>
#include <QTimer>

#include <functional>

// Runs the tick at every whole second of the wall clock. To find the second, the timer is aimed a
// little ahead of it and the rest of the old second is slept off: a timer's wake-up wanders by up to a
// millisecond, and a tick run in the old second would start a bell a whole second late. Started on
// the second itself, a repeating 1000 ms precise timer then wakes just after each later one without a
// nap. It is re-aimed only when its wake-ups leave their mark (a clock step, a slewed clock, a busy
// machine): every re-arm or nap is one more wake-up, and a wake-up costs more than the tick itself.
class TickScheduler : public QObject
{
    Q_OBJECT
public:
    // How far ahead of each whole second the timer is aimed.
    static constexpr int EarlyMs = 2;
    // A wake-up this close before a whole second waits for it; any earlier one ticks at once.
    static constexpr int GuardMs = 50;
    // Wake-ups from EarlyMs + OnMarkMs before a second to OnMarkMs after it count as on the mark.
    static constexpr int OnMarkMs = 3;

    TickScheduler(const Clock& clock, std::function<void()> tick, QObject* parent = nullptr);
    void start(); // ticks once at once, then at every whole second
    void stop();

    // Milliseconds from `now` until EarlyMs before the next whole second that has not begun yet (1..1000).
    static int msUntilNextTick(const QDateTime& now);
    // Milliseconds of the old second still to wait before the tick may run (0: run now).
    static int msLeftInOldSecond(const QDateTime& now);
    static bool isOnMark(const QDateTime& now);

private:
    void fire();
    void arm();
    void waitForSecond();

    const Clock& m_clock;
    std::function<void()> m_tick;
    QTimer m_timer;
};
