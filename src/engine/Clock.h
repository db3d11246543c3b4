#pragma once

#include <QDateTime>

#include <limits>

// Local wall-clock time. The engine takes all its time from here, so tests and rehearsals can run a
// whole school day in milliseconds.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

// The local time with the zone's offset looked up once a minute. Every local-time conversion makes
// the C library look at the time-zone file again, and the tick converts several times a second; the
// zones change their offsets only on whole minutes, so the first reading of a minute finds a summer-time
// change, and a newly chosen zone is seen within a minute.
class SystemClock : public Clock
{
public:
    QDateTime now() const override;

private:
    mutable qint64 m_minute = std::numeric_limits<qint64>::min();
    mutable int m_offsetSeconds = 0;
};

// A clock that only moves when told to: rehearsals and tests.
class ManualClock : public Clock
{
public:
    explicit ManualClock(const QDateTime& start = {}) : m_now(start) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& t) { m_now = t; }
    void advanceSecond() { m_now = m_now.addSecs(1); }
    void advance(qint64 seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
};
