#pragma once

#include <QDateTime>

// Local wall-clock time. The engine takes all its time from here, so tests and rehearsals can run a
// whole school day in milliseconds.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
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
