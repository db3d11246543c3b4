#include "engine/DayRules.h"

#include "engine/Controller.h"
#include "common/Log.h"
#include "schedule/DayTable.h"

void DayRules::weekendClose()
{
    if (!c.m.check4 || !DayTable::isWeekend(c.s.todayName))
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
    if (c.m.check3 && DayTable::isWeekend(c.s.todayName))
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
    auto shutdownIf = [&](const QString& time, bool dayMatches) {
        if (minute == time && c.s.shutdownIssued == 0 && dayMatches) {
            c.music.stopMusic();
            // Ending the break too keeps the next tick from starting another track.
            c.s.breakActive = 0;
            c.s.shutdownIssued = 1;
            qCInfo(lcApp) << "scheduled shutdown at" << time;
            c.d.desktop.shutdown();
        }
    };
    shutdownIf(c.m.text26, DayTable::isWeekday(c.s.todayName));
    shutdownIf(c.m.text45, DayTable::isWeekend(c.s.todayName));
}
