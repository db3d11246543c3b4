#pragma once

#include "engine/GridMinutes.h"

#include <QDateTime>
#include <QString>

class Controller;

// Step 17 of the tick: the clock against today's 53 cells, the once-a-minute guard, the bell start
// and the spoken announcements.
class BellEngine
{
public:
    explicit BellEngine(Controller& c) : c(c) {}
    // With `ceremony`, the calendar's ceremony due in this tick takes the place of a bell of this
    // minute: the bell's minute is handled (its break ends, the guard is set) but its melody and
    // announcement give way, and the ceremony is what is heard.
    void step17(bool ceremony = false);

    // True in a tick whose later steps switch the amplifier on again, or while a warm-up waits for its
    // bell: step 14 then leaves it on. Switched off and on within one second, the loudspeakers click and
    // an amplifier that mutes after power-on loses the start of what follows: a bell, the announcement
    // after a melody, the break music after an exit bell, or the bell a warm-up is for.
    bool keepsAmplifierOn();

    // Looks ahead to the next bell minute: a few seconds before it, tells the player which sounds are
    // wanted, so it can open the device and decode them ahead and the bell starts on time; and, with
    // an amplifier warm-up set, switches the amplifier on that many seconds before the bell.
    void lookAhead(const QDateTime& now);
    static constexpr int PrepareLeadSeconds = 3;

    // Run in every tick after the bells: a warm-up whose bell did not start at hh:mm:00 (the bells were
    // switched off, the grid changed) releases the amplifier it held, so it never stays on for nothing.
    void endWarmUp(const QDateTime& now);
    // A warm-up holds the amplifier for a bell to come.
    bool warmingUp() const { return !m_warmUpMinute.isEmpty(); }

    // Logs each bell minute of the grid that no tick saw because the clock jumped over it (a time
    // sync, the date set by hand): the text rules ring no bell for it, and the school should know.
    void logSkippedMinutes(const QDateTime& previousTick, const QDateTime& now);

private:
    // A cell of the grid holds `minute`, and no timed holiday of the calendar silences it.
    bool rings(const QString& minute) const;
    void announce(const QString& file);
    bool bellDue() const;
    bool guardHoldsThisMinute() const;
    bool announcementDue();
    void prepareSounds(const QString& minute);
    void warmUp(const QDateTime& now);

    Controller& c;
    GridMinutes m_minutes;
    QString m_warmUpMinute;        // the bell minute the amplifier is warming up for, empty when none
    QDateTime m_warmUpStart;       // the tick that began the warm-up
    QDateTime m_warmUpBell;        // hh:mm:00 of that minute
    bool m_warmUpOwnsHold = false; // the warm-up switched on an amplifier that nothing else held
    quint64 m_warmUpHold = 0;      // the amplifier's switch-on count right after the warm-up's own
};
