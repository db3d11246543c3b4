#include "engine/ClockWatch.h"

#include "common/Log.h"
#include "engine/Controller.h"

namespace {
// Due when never done, `every` seconds after the last time, or at once when the clock was set back
// before it.
bool due(const QDateTime& last, const QDateTime& now, int every)
{
    return !last.isValid() || now < last || last.secsTo(now) >= every;
}
} // namespace

void ClockWatch::check(const QDateTime& now)
{
    askWhenDue(now);
    const std::optional<bool> synchronised = c.d.clockSync.synchronised();
    if (synchronised != false) {
        clear(synchronised.value_or(false));
        return;
    }
    if (!m_unsyncedSince.isValid() || now < m_unsyncedSince)
        m_unsyncedSince = now;
    const qint64 unsynced = m_unsyncedSince.secsTo(now);
    if (unsynced < WarnAfterSeconds)
        return;
    c.m.clockWarning = Texts::ClockNotSynced;
    if (due(m_lastJournalled, now, WarnAfterSeconds)) {
        qCWarning(lcBell).noquote() << "the clock has not been synchronised for" << unsynced / 60
                                    << "minutes: the bells may drift";
        m_lastJournalled = now;
    }
}

void ClockWatch::askWhenDue(const QDateTime& now)
{
    if (!due(m_lastAsked, now, AskEverySeconds))
        return;
    c.d.clockSync.ask();
    m_lastAsked = now;
}

void ClockWatch::clear(bool synchronised)
{
    if (!c.m.clockWarning.isEmpty())
        qCInfo(lcBell) << (synchronised ? "the clock is synchronised again"
                                        : "the clock's synchronisation can no longer be read");
    c.m.clockWarning.clear();
    m_unsyncedSince = {};
    m_lastJournalled = {};
}
