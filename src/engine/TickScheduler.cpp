#include "engine/TickScheduler.h"

TickScheduler::TickScheduler(const Clock& clock, std::function<void()> tick, QObject* parent)
    : QObject(parent), m_clock(clock), m_tick(std::move(tick))
{
    m_timer.setSingleShot(true);
    // Coarse timers may fire up to 5 % late; a bell must not.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TickScheduler::fire);
}

void TickScheduler::start()
{
    // The first tick runs at once, so the clock and today's state show as soon as the window does;
    // from then on every tick lands just after a whole second.
    fire();
}
void TickScheduler::stop() { m_timer.stop(); }

int TickScheduler::msUntilNextTick(const QDateTime& now)
{
    // Floored, so a clock set before 1970 still counts forward into its second.
    const int msIntoSecond = static_cast<int>(((now.toMSecsSinceEpoch() % 1000) + 1000) % 1000);
    int wait = 1000 - msIntoSecond + LeadMs;
    // Woken early or just inside the lead: the tick for this second has run, so aim for the next one.
    if (wait > 1000)
        wait -= 1000;
    if (wait <= LeadMs)
        wait += 1000;
    return wait;
}

void TickScheduler::arm() { m_timer.start(msUntilNextTick(m_clock.now())); }

void TickScheduler::fire()
{
    m_tick();
    arm();
}
