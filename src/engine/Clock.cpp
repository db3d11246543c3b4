#include "engine/Clock.h"

QDateTime SystemClock::now() const
{
    const qint64 ms = QDateTime::currentMSecsSinceEpoch();
    // Floored, so a clock set before 1970 still finds its minute.
    const qint64 minute = ms >= 0 ? ms / 60000 : (ms - 59999) / 60000;
    if (minute != m_minute) {
        m_minute = minute;
        m_offsetSeconds = QDateTime::fromMSecsSinceEpoch(ms).offsetFromUtc();
    }
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, m_offsetSeconds);
}
