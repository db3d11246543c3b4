#pragma once

#include "engine/Clock.h"

#include <QObject>
#include <QTimer>

#include <functional>

// Runs the tick a few milliseconds after every whole second of the wall clock. Each run re-arms a
// precise single shot from the clock, so the tick never drifts and a bell starts within milliseconds
// of hh:mm:00 rather than anywhere in the first second.
class TickScheduler : public QObject
{
    Q_OBJECT
public:
    static constexpr int LeadMs = 5;

    TickScheduler(const Clock& clock, std::function<void()> tick, QObject* parent = nullptr);
    void start(); // ticks once at once, then after every whole second
    void stop();

    // Milliseconds from `now` until LeadMs past the next whole second (LeadMs+1 .. 1000+LeadMs).
    static int msUntilNextTick(const QDateTime& now);

private:
    void fire();
    void arm();

    const Clock& m_clock;
    std::function<void()> m_tick;
    QTimer m_timer;
};
