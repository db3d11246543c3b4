#include "engine/Controller.h"
#include "common/Log.h"
#include "schedule/DayFile.h"
#include "schedule/DayTable.h"

#include <QLocale>

Controller::Controller(MainModel& model, const Devices& devices, const ProgramFolder& folder)
    : m(model), d(devices), folder(folder)
{
}

void Controller::loadDay(const QString& dayName, const QString& dayType)
{
    DaySchedule slots = m.grid;
    const int reached =
        dayType.isEmpty() ? readDayFile(folder, dayName, slots) : readDayTypeFile(folder, dayType, slots);
    // A box the file does not reach is emptied: left as it was, it would ring yesterday's time,
    // one that stands in no timetable of today.
    for (int i = reached; i < Slots::Count; ++i)
        slots[i].clear();
    m.grid = slots;
    // A day without a single line rings nothing: someone must hear of it, so it is a warning.
    if (reached == 0)
        qCWarning(lcBell) << "timetable for" << dayName << "is empty or cannot be read: no bells today";
    else if (dayType.isEmpty())
        qCInfo(lcBell) << "timetable loaded:" << dayName << reached << "lines";
    else
        qCInfo(lcBell) << "timetable loaded:" << dayName << "day type" << dayType << reached << "lines";
    Q_EMIT dayLoaded(dayName);
}

void Controller::Timer1_Timer()
{
    if (s.unloaded)
        return;
    static const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    const QDateTime now = d.clock.now();

    if (now.date() != m_frame1Date) { // 1: formatted once a day, the same text every second
        m_frame1Date = now.date();
        m.frame1Caption = turkish.toString(now, QStringLiteral("dd MMMM yyyy  dddd"));
    }
    m.label1Caption = now.toString(QStringLiteral("HH:mm:ss"));                    // 2
    s.currentMinute = m.label1Caption.left(5);                                     // 3
    s.todayName = DayTable::nameOf(now.date());                                    // 4
    amp.continuousStep();                                                          // 5
    if (s.bellsOff == 0)                                                           // 6
        m.label7 = {Texts::BellsOn, Colours::Green};
    else if (s.bellsOff == 1)
        m.label7 = {Texts::BellsOff, Colours::LightRed};
    if (s.loadedDayName != s.todayName) { // 7
        s.loadedDayName = s.todayName;
        s.bellsOff = 0;
        calendar.beginDay(now.date()); // reads the day's timetable, its day type's where one applies
    } else if (calendar.today().date != now.date()) {
        calendar.reapply(now.date()); // the clock moved by whole weeks: the date decides, not its name
    }
    m.label22Caption = QString::number(s.bellsOff); // 8
    calendar.holidayBoundaries(now);                // a timed holiday that begins ends the break
    breaks.continuationSteps();                     // 9, 10, 11
    dayRules.weekendClose();                        // 12
    if (s.unloaded)
        return;
    dayRules.weekendSilence();    // 13
    amp.releaseStep();            // 14
    amp.assertStep();             // 15
    amp.watchRelay();             // not a step: a relay board plugged back is driven again
    dayRules.scheduledShutdown(); // 16
    // A ceremony of the calendar is due in the first tick of its minute; in a bell's minute it is
    // what is heard, and the bell's minute is handled all the same.
    const bool ceremony = calendar.ceremonyDue();
    if (s.bellsOff == 0) { // 17
        bells.logSkippedMinutes(m_previousTick, now);
        bells.step17(ceremony);
    }
    m_previousTick = now;
    bells.endWarmUp(now);
    if (s.bellsOff == 0) // not a step of its own: readies the player and the amplifier for a bell due soon
        bells.lookAhead(now);
    clockWatch.check(now);
    m.tickDone();
}
