#pragma once

#include <QDateTime>

class Controller;

// Tells the operator when the clock the bells go by is no longer kept right: a clock that has not
// been synchronised for an hour shows a line in the main window and a journal line each hour. It
// asks the system every few minutes, never waits for the answer, and shows nothing where the system
// cannot say.
class ClockWatch
{
public:
    explicit ClockWatch(Controller& c) : c(c) {}
    // From every tick.
    void check(const QDateTime& now);

    // Often enough that a warning goes within minutes of a synchronisation; each question may start
    // the system's time service, so not every tick.
    static constexpr int AskEverySeconds = 5 * 60;
    static constexpr int WarnAfterSeconds = 60 * 60;

private:
    void askWhenDue(const QDateTime& now);
    void clear(bool synchronised);

    Controller& c;
    QDateTime m_lastAsked;
    QDateTime m_unsyncedSince; // the first of an unbroken run of "not synchronised" answers
    QDateTime m_lastJournalled;
};
