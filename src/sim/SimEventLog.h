#pragma once

#include "engine/Clock.h"

#include <QString>
#include <QTextStream>

// The rehearsal's output: one line "<time> <event>" per event, time as YYYY-MM-DDTHH:MM:SS.
class SimEventLog
{
public:
    SimEventLog(QTextStream& out, const Clock& clock) : m_out(out), m_clock(clock) {}

    void event(const QString& text)
    {
        ++m_count;
        if (m_muted)
            return;
        if (m_stamp.isEmpty()) {
            // Written by hand: a year of events formats its time millions of times.
            const QDateTime now = m_clock.now();
            const QDate d = now.date();
            const QTime t = now.time();
            m_stamp = QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02d", d.year(), d.month(), d.day(), t.hour(),
                                        t.minute(), t.second());
        }
        m_out << m_stamp << ' ' << text << '\n';
    }
    // The clock has moved: the next event formats the time afresh. Most seconds have no event, so
    // the time is only formatted when one happens.
    void clockMoved() { m_stamp.clear(); }

    // A summary prints its own lines: the events are counted, not printed.
    void mute() { m_muted = true; }
    // Every event so far, printed or not.
    qint64 count() const { return m_count; }
    // A line of its own, as it is given.
    void line(const QString& text) { m_out << text << '\n'; }

private:
    QTextStream& m_out;
    const Clock& m_clock;
    QString m_stamp;
    qint64 m_count = 0;
    bool m_muted = false;
};
