#include "engine/DayRules.h"

#include "engine/Controller.h"
#include "common/Log.h"
#include "schedule/DayTable.h"

bool DayRules::weekend() const
{
    // A school day the calendar puts on a Saturday or Sunday counts as a weekday.
    return DayTable::isWeekend(c.s.todayName) && !c.calendar.countsAsWeekday();
}

bool DayRules::weekday() const
{
    return DayTable::isWeekday(c.s.todayName) || c.calendar.countsAsWeekday();
}

void DayRules::weekendClose()
{
    if (!c.m.check4 || !weekend())
        return;
    if (!closeKeepsRunning) {
        qCInfo(lcApp) << "weekend: the program closes itself";
        c.commands.Form_Unload();
        return;
    }
    silence();
    if (const QDate today = c.d.clock.now().date(); today != m_silenceLogged) {
        m_silenceLogged = today;
        qCInfo(lcApp) << "weekend: no bells today; the service keeps running, as nothing would start it "
                         "again on Monday";
    }
}

void DayRules::weekendSilence()
{
    if (c.m.check3 && weekend())
        silence();
}

void DayRules::silence()
{
    c.s.bellsOff = 1;
    c.m.label7 = {Texts::BellsOff, Colours::LightRed};
}

void DayRules::scheduledShutdown()
{
    const QString minute = c.m.label1Caption.left(5);
    // The day's group is looked up only in the minute of a shutdown time, not in every second.
    auto shutdownIf = [&](const QString& time, bool (DayRules::*dayMatches)() const) {
        if (minute == time && c.s.shutdownIssued == 0 && (this->*dayMatches)()) {
            c.music.stopMusic();
            // Ending the break too keeps the next tick from starting another track.
            c.s.breakActive = 0;
            c.s.shutdownIssued = 1;
            qCInfo(lcApp) << "scheduled shutdown at" << time;
            c.d.desktop.shutdown();
        }
    };
    shutdownIf(c.m.text26, &DayRules::weekday);
    shutdownIf(c.m.text45, &DayRules::weekend);
}
