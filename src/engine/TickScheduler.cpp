#include "engine/TickScheduler.h"

#include <chrono>
#include <thread>

namespace {
constexpr int kSecondMs = 1000;

int msIntoSecond(const QDateTime& now)
{
    // Floored, so a clock set before 1970 still counts forward into its second.
    return static_cast<int>(((now.toMSecsSinceEpoch() % kSecondMs) + kSecondMs) % kSecondMs);
}
} // namespace

TickScheduler::TickScheduler(const Clock& clock, std::function<void()> tick, QObject* parent)
    : QObject(parent), m_clock(clock), m_tick(std::move(tick))
{
    // Coarse timers may fire up to 5 % late; a bell must not.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TickScheduler::fire);
}

void TickScheduler::start()
{
    // The first tick runs at once, so the clock and today's state show as soon as the window does;
    // from then on every tick lands on a whole second.
    fire();
}

void TickScheduler::stop() { m_timer.stop(); }

int TickScheduler::msUntilNextTick(const QDateTime& now)
{
    const int wait = kSecondMs - msIntoSecond(now) - EarlyMs;
    return wait > 0 ? wait : wait + kSecondMs;
}

int TickScheduler::msLeftInOldSecond(const QDateTime& now)
{
    const int left = kSecondMs - msIntoSecond(now);
    return left <= GuardMs ? left : 0;
}

bool TickScheduler::isOnMark(const QDateTime& now)
{
    const int into = msIntoSecond(now);
    return into >= kSecondMs - EarlyMs - OnMarkMs || into <= OnMarkMs;
}

void TickScheduler::arm() { m_timer.start(msUntilNextTick(m_clock.now())); }

void TickScheduler::fire()
{
    const QDateTime woke = m_clock.now();
    if (!isOnMark(woke)) {
        arm();
        waitForSecond();
    } else if (msLeftInOldSecond(woke) > 0) {
        waitForSecond();
        // Started on the second itself, the repeat wakes just after each later one, with no nap.
        m_timer.start(kSecondMs);
    } else if (m_timer.interval() != kSecondMs) {
        m_timer.start(kSecondMs);
    }
    m_tick();
}

void TickScheduler::waitForSecond()
{
    // The clock reads whole milliseconds: half-millisecond naps end the wait within half a millisecond
    // of the new second. A clock that stands still or steps back cannot hold the tick back for longer
    // than the first reading promised.
    int left = msLeftInOldSecond(m_clock.now());
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(left + 1);
    while (left > 0 && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::microseconds(left * 1000 - 500));
        left = msLeftInOldSecond(m_clock.now());
    }
}
