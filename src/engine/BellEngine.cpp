#include "engine/BellEngine.h"

#include "common/Log.h"
#include "engine/Controller.h"

namespace {
QString minuteOf(const QDateTime& t)
{
    return t.toString(QStringLiteral("HH:mm"));
}

// The "hh:mm" that lies `lead` seconds ahead, in the one tick that first looks into that minute;
// empty in every other tick, when that minute is the current one, and when it lies on another date:
// today's grid says nothing of tomorrow's 00:00, whose timetable is read only when the day changes.
QString minuteEnteredAhead(const QDateTime& now, int lead, const QString& currentMinute)
{
    const QDateTime later = now.addSecs(lead);
    const QString ahead = minuteOf(later);
    if (later.date() != now.date() || ahead == currentMinute || minuteOf(now.addSecs(lead - 1)) == ahead)
        return {};
    return ahead;
}
} // namespace

bool BellEngine::rings(const QString& minute) const
{
    return m_minutes.any(c.m.grid, minute) && !c.calendar.silenced(minute);
}

void BellEngine::step17(bool ceremony)
{
    ControllerState& s = c.s;
    const DaySchedule& grid = c.m.grid;

    // 1. The guard is released by the first tick of another minute.
    if (s.minuteHandled == 1 && c.m.label1Caption.left(5) != c.m.text1)
        s.minuteHandled = 0;
    s.bellMinuteCopy = s.currentMinute; // 2
    if (!rings(s.bellMinuteCopy)) {     // 3; a bell in a timed holiday keeps its time but is silent
        if (ceremony)
            c.calendar.playCeremony();
        return;
    }

    const QString& minute = s.currentMinute;
    const bool student = m_minutes.has(grid, minute, GridMinutes::Student);
    const bool teacher = m_minutes.has(grid, minute, GridMinutes::Teacher);

    if (s.minuteHandled == 0) { // 4: the last matching kind's melody is played
        c.melodies.closeWavPlayer();
        const QString* melody = nullptr;
        if (student) {
            if (s.breakProgramMode == 1)
                c.program.programkapat();
            c.music.stopMusic();
            s.breakActive = 0;
            melody = &s.studentMelodyFile;
            s.announcementPending = 1;
            s.musicStoppedByOperator = 0;
        }
        if (teacher) {
            c.music.stopMusic();
            s.breakActive = 0;
            melody = &s.teacherMelodyFile;
            s.announcementPending = 1;
        }
        if (m_minutes.has(grid, minute, GridMinutes::Exit)) {
            s.breakActive = 0;
            if (s.breakProgramMode == 1)
                c.program.programkapat();
            c.music.stopMusic();
            melody = &s.exitMelodyFile;
            s.announcementPending = 0;
        }
        if (m_minutes.has(grid, minute, GridMinutes::Assembly)) {
            s.breakActive = 0;
            if (s.breakProgramMode == 1)
                c.program.programkapat();
            c.music.stopMusic();
            melody = &s.assemblyMelodyFile;
            s.announcementPending = 0;
            s.musicStoppedByOperator = 0;
        }
        if (ceremony) {
            qCInfo(lcBell) << "bell" << minute << "gives way to the ceremony of the same minute";
            melody = nullptr;
            s.announcementPending = 0;
        }
        if (melody) {
            qCInfo(lcBell) << "bell" << minute << *melody;
            // The amplifier is on before the first note: switched on a tick later, as the player's
            // state would have it, it cut the first second of every bell.
            c.amp.Ac();
            s.ampState = 1;
            // A melody that cannot be played is not switched off here: the next tick's release does it
            // where nothing holds the amplifier, and an announcement or break music that follows at
            // once finds it still on.
            c.melodies.playWavFile(c.melodies.fullPath(*melody));
        }
        c.m.text1 = minute;
        s.minuteHandled = 1;
        if (melody)
            Q_EMIT c.bellRang(minute);
    }
    if (ceremony)
        c.calendar.playCeremony();

    if (c.m.check1 && student)
        announce(Melodies::Anons1); // 5
    c.breaks.breakStart();          // 6
    if (c.m.check2 && teacher)
        announce(Melodies::Anons2); // 7
}

void BellEngine::announce(const QString& file)
{
    ControllerState& s = c.s;
    if (s.minuteHandled != 1 || s.announcementPending != 1 || c.melodies.isWavPlaying())
        return;
    c.amp.Ac();
    s.ampState = 1;
    c.melodies.playWavFile(c.melodies.fullPath(file));
    s.minuteHandled = 1;
    s.announcementPending = 0;
}

bool BellEngine::keepsAmplifierOn()
{
    return !m_warmUpMinute.isEmpty() || bellDue() ||
           (guardHoldsThisMinute() && (announcementDue() || c.breaks.breakStartDue()));
}

bool BellEngine::bellDue() const
{
    // Step 17 as it will run later in this tick: bells on, a cell of this minute, the guard free or
    // about to be released.
    const ControllerState& s = c.s;
    return s.bellsOff == 0 && m_minutes.any(c.m.grid, s.currentMinute) &&
           (s.minuteHandled == 0 || c.m.label1Caption.left(5) != c.m.text1);
}

bool BellEngine::guardHoldsThisMinute() const
{
    const ControllerState& s = c.s;
    return s.bellsOff == 0 && s.minuteHandled == 1 && c.m.label1Caption.left(5) == c.m.text1 &&
           m_minutes.any(c.m.grid, s.currentMinute);
}

bool BellEngine::announcementDue()
{
    const ControllerState& s = c.s;
    // The conditions of the announcement steps, as step 17 will find them later in this tick: an
    // announcement is pending and the melody has ended.
    if (s.announcementPending != 1 || c.melodies.isWavPlaying())
        return false;
    const DaySchedule& grid = c.m.grid;
    return (c.m.check1 && m_minutes.has(grid, s.currentMinute, GridMinutes::Student)) ||
           (c.m.check2 && m_minutes.has(grid, s.currentMinute, GridMinutes::Teacher));
}

void BellEngine::lookAhead(const QDateTime& now)
{
    prepareSounds(minuteEnteredAhead(now, PrepareLeadSeconds, c.s.currentMinute));
    warmUp(now);
}

void BellEngine::prepareSounds(const QString& soon)
{
    if (soon.isEmpty() || c.calendar.silenced(soon))
        return;
    // Only what this bell can play: each decoded melody holds megabytes while it waits.
    const ControllerState& s = c.s;
    const DaySchedule& grid = c.m.grid;
    QStringList wanted;
    if (m_minutes.has(grid, soon, GridMinutes::Student)) {
        wanted << s.studentMelodyFile;
        if (c.m.check1)
            wanted << Melodies::Anons1;
    }
    if (m_minutes.has(grid, soon, GridMinutes::Teacher)) {
        wanted << s.teacherMelodyFile;
        if (c.m.check2)
            wanted << Melodies::Anons2;
    }
    if (m_minutes.has(grid, soon, GridMinutes::Exit))
        wanted << s.exitMelodyFile;
    if (m_minutes.has(grid, soon, GridMinutes::Assembly))
        wanted << s.assemblyMelodyFile;
    if (!wanted.isEmpty())
        c.melodies.prepareSounds(wanted);
}

void BellEngine::warmUp(const QDateTime& now)
{
    // Many amplifiers stay mute for a second or more after power-on; the operator gives them time.
    const int lead = c.settings.warmUpSeconds;
    if (lead <= 0)
        return;
    const QString soon = minuteEnteredAhead(now, lead, c.s.currentMinute);
    if (soon.isEmpty() || !rings(soon) || c.m.text1 == soon)
        return;
    m_warmUpMinute = soon;
    m_warmUpStart = now;
    const QDateTime ahead = now.addSecs(lead);
    m_warmUpBell = QDateTime(ahead.date(), QTime(ahead.time().hour(), ahead.time().minute()));
    // An amplifier already held on ("Aç" for a speech, "Sürekli Açık", break music) is on: the warm-up
    // neither takes that hold over nor ends it, whatever becomes of the bell.
    m_warmUpOwnsHold = c.s.ampState != 2 && c.s.ampMode != 1;
    if (!m_warmUpOwnsHold) {
        qCInfo(lcRelay) << "amplifier warm-up before the bell at" << soon << ": already held on";
        return;
    }
    qCInfo(lcRelay) << "amplifier warm-up:" << lead << "s before the bell at" << soon;
    c.amp.Ac();
    m_warmUpHold = c.amp.switchOnCount();
}

void BellEngine::endWarmUp(const QDateTime& now)
{
    // Ends at the bell's minute, and when the clock is set back before the warm-up began: its bell is
    // then minutes or hours away, and the warm-up starts again when the look-ahead reaches it.
    if (m_warmUpMinute.isEmpty() || (now < m_warmUpBell && now >= m_warmUpStart))
        return;
    // The bell took the amplifier over (its own switch-on leaves it releasable), or someone switched it
    // on since and wants it so: either way the warm-up has nothing left to release.
    if (m_warmUpOwnsHold && c.m.text1 != m_warmUpMinute && c.amp.switchOnCount() == m_warmUpHold) {
        qCInfo(lcRelay) << "no bell at" << m_warmUpMinute << "after the warm-up: the amplifier is released";
        c.s.ampState = 1;
    }
    m_warmUpMinute.clear();
}

void BellEngine::logSkippedMinutes(const QDateTime& previousTick, const QDateTime& now)
{
    // Only a jump of more than a minute can pass a whole minute by; every normal tick stops here.
    if (!previousTick.isValid() || previousTick.msecsTo(now) <= 60 * 1000 ||
        previousTick.date() != now.date())
        return;
    const QString from = previousTick.toString(QStringLiteral("HH:mm:ss"));
    const QString to = now.toString(QStringLiteral("HH:mm:ss"));
    const QTime last = now.time();
    for (QTime t = previousTick.time().addSecs(60 - previousTick.time().second());
         t.isValid() && t < last && minuteOf(QDateTime(now.date(), t)) != c.s.currentMinute;
         t = t.addSecs(60)) {
        const QString minute = t.toString(QStringLiteral("HH:mm"));
        if (rings(minute))
            qCWarning(lcBell).noquote()
                << "bell at" << minute << "skipped: the clock jumped from" << from << "to" << to;
        if (t.hour() == 23 && t.minute() == 59)
            break; // QTime wraps at midnight
    }
}
