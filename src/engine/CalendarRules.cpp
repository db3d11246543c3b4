#include "engine/CalendarRules.h"

#include "calendar/CalendarTexts.h"
#include "calendar/DayTypes.h"
#include "calendar/NationalCalendar.h"
#include "common/Log.h"
#include "engine/Controller.h"
#include "schedule/DayFile.h"
#include "schedule/DayTable.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {
QString minuteText(const QTime& t)
{
    return t.toString(QStringLiteral("HH:mm"));
}

int secondOfDay(const QDateTime& now, const QDate& day)
{
    if (now.date() < day)
        return -1;
    if (now.date() > day)
        return 24 * 3600;
    return QTime(0, 0).secsTo(now.time());
}

QString ruleWords(const CalendarDay& day)
{
    QStringList words;
    for (const AppliedRule& r : day.rules)
        words << CalendarRuleWords::word(r.rule) + QLatin1Char(' ') + r.name;
    return words.isEmpty() ? QStringLiteral("the weekly timetable") : words.join(QStringLiteral(", "));
}
} // namespace

void CalendarRules::load(const QString& nationalPath)
{
    m_calendar.setNationalApplies(c.settings.nationalHolidays);
    if (!m_calendar.nationalApplies())
        qCInfo(lcFiles) << "the national calendar is switched off in" << AppSettings::FileName;
    m_calendar.setNational(NationalCalendar::load(nationalPath));

    const QString path = c.folder.path(CalendarFile::FileName);
    const CalendarFile::ReadResult r = CalendarFile::read(path);
    if (r.status == CalendarFile::Status::Broken) {
        // Fail open: the weekly timetable rings; the file stays as it is until the operator saves.
        m_schoolProblem = r.problem;
        qCWarning(lcFiles).noquote() << path << "cannot be read:" << r.problem
                                     << "- the school's calendar does not apply; the file is left as it is";
        return;
    }
    for (const CalendarEntry& e : r.document.entries) {
        if (!e.problem.isEmpty())
            qCWarning(lcFiles).noquote()
                << CalendarFile::FileName << "entry" << e.summary << "is ignored:" << e.problem;
    }
    m_schoolCalendar = r.document.calendar;
    m_calendar.setSchool(r.document.entries);
}

void CalendarRules::readTimetable()
{
    const QString weekday = DayTable::nameOf(m_today.date);
    QString dayType = m_today.dayType;
    m_dayTypeMissing = !dayType.isEmpty() && !DayTypes::exists(c.folder, dayType);
    if (m_dayTypeMissing) {
        qCWarning(lcBell).noquote() << "day type" << dayType << "has no file"
                                    << c.folder.relative(dayTypeFilePath(c.folder, dayType))
                                    << "- the timetable of" << weekday << "rings instead";
        dayType.clear();
    }
    c.loadDay(weekday, dayType);
}

void CalendarRules::beginDay(const QDate& date)
{
    m_today = m_calendar.decide(date);
    qCInfo(lcBell).noquote() << "calendar:" << date.toString(Qt::ISODate) << ruleWords(m_today);
    readTimetable();
    m_bellsOffByCalendar = !m_today.bells;
    if (!m_today.bells) {
        c.s.bellsOff = 1;
        c.m.label7 = {Texts::BellsOff, Colours::LightRed};
    }
    m_ceremonyDone = QList<bool>(m_today.ceremonies.size(), false);
    startDayState();
    showInModel();
    if (m_calendar.religiousHolidaysRunOut(date))
        qCWarning(lcFiles) << "the religious holidays are entered up to" << m_calendar.lastReligiousYear()
                           << "only: the next years' must be entered in the calendar";
}

void CalendarRules::reapply(const QDate& date, bool force)
{
    const CalendarDay before = m_today;
    m_today = m_calendar.decide(date);
    // A date that differs only in itself (the clock set a week back) decides nothing new: the grid
    // stays, as it does on every day the calendar leaves alone.
    CalendarDay sameRules = before;
    sameRules.date = m_today.date;
    if (m_today != sameRules || force) {
        qCInfo(lcBell).noquote() << "calendar changed:" << date.toString(Qt::ISODate) << ruleWords(m_today);
        readTimetable();
        if (before.bells && !m_today.bells) {
            // Bells the operator switched off stay the operator's: the calendar does not take them over.
            m_bellsOffByCalendar = c.s.bellsOff == 0;
            c.s.bellsOff = 1;
            c.m.label7 = {Texts::BellsOff, Colours::LightRed};
        } else if (!before.bells && m_today.bells && m_bellsOffByCalendar) {
            // Only what the calendar switched off comes back on; an operator's own switch stays.
            c.s.bellsOff = 0;
            c.m.label7 = {Texts::BellsOn, Colours::Green};
            m_bellsOffByCalendar = false;
        }
        // A ceremony whose minute has begun already is not played late.
        m_ceremonyDone.clear();
        for (const DayCeremony& t : std::as_const(m_today.ceremonies))
            m_ceremonyDone << (!m_ceremonyMinute.isEmpty() && minuteText(t.time) <= m_ceremonyMinute);
        startDayState();
    }
    showInModel();
}

void CalendarRules::startDayState()
{
    m_silenceStarts.clear();
    for (const TimedSilence& s : std::as_const(m_today.silences))
        m_silenceStarts << s.from;
    std::sort(m_silenceStarts.begin(), m_silenceStarts.end());
    // A holiday that has begun already ends no break: only one that begins while the program runs.
    const int now = secondOfDay(c.d.clock.now(), m_today.date);
    m_silencesBegun = static_cast<int>(std::count_if(m_silenceStarts.begin(), m_silenceStarts.end(),
                                                     [now](int from) { return from <= now; }));
    m_dueCeremony = -1;
}

void CalendarRules::showInModel()
{
    QList<CalendarNote> notes;
    if (!m_schoolProblem.isEmpty())
        notes << CalendarTexts::brokenFile(m_schoolProblem);
    notes << CalendarTexts::dayNotes(m_today);
    if (m_dayTypeMissing)
        notes << CalendarTexts::missingDayType(m_today.dayType, DayTable::nameOf(m_today.date));
    if (m_calendar.religiousHolidaysRunOut(m_today.date))
        notes << CalendarTexts::religiousHolidaysRunOut(m_calendar.lastReligiousYear());
    c.m.calendarNotes = notes;
    for (int i = 0; i < Slots::Count; ++i) {
        const TimedSilence* s = m_today.silenceAt(c.m.grid[i]);
        c.m.silencedSlots[i] = s ? CalendarTexts::slotReason(*s) : QString();
    }
}

void CalendarRules::holidayBoundaries(const QDateTime& now)
{
    if (m_silencesBegun >= m_silenceStarts.size())
        return;
    const int second = secondOfDay(now, m_today.date);
    while (m_silencesBegun < m_silenceStarts.size() && m_silenceStarts.at(m_silencesBegun) <= second) {
        const int from = m_silenceStarts.at(m_silencesBegun++);
        const auto s = std::find_if(m_today.silences.cbegin(), m_today.silences.cend(),
                                    [from](const TimedSilence& t) { return t.from == from; });
        if (c.s.breakActive == 1)
            endBreak(s != m_today.silences.cend() ? s->name : QString());
    }
}

void CalendarRules::endBreak(const QString& holiday)
{
    // Left on, the music after the last lesson before a half day would play all afternoon.
    qCInfo(lcBell).noquote() << "timed holiday" << holiday << "begins: the break activity ends";
    if (c.s.breakProgramMode == 1)
        c.program.programkapat();
    c.music.stopMusic();
    c.s.breakActive = 0;
    c.s.ampState = 1;
}

bool CalendarRules::ceremonyDue()
{
    m_dueCeremony = -1;
    if (c.s.currentMinute == m_ceremonyMinute)
        return false;
    m_ceremonyMinute = c.s.currentMinute;
    for (int i = 0; i < m_today.ceremonies.size(); ++i) {
        if (m_ceremonyDone.value(i) || minuteText(m_today.ceremonies.at(i).time) != m_ceremonyMinute)
            continue;
        // Due once, in the first tick of its minute; with the bells off then, it is not played at all.
        m_ceremonyDone[i] = true;
        if (m_dueCeremony < 0 && c.s.bellsOff == 0)
            m_dueCeremony = i;
    }
    return m_dueCeremony >= 0;
}

void CalendarRules::playCeremony()
{
    if (m_dueCeremony < 0 || m_dueCeremony >= m_today.ceremonies.size())
        return;
    const DayCeremony t = m_today.ceremonies.at(std::exchange(m_dueCeremony, -1));
    static const std::array<std::pair<const char*, void (Ceremony::*)()>, 6> buttons{{
        {"istiklal", &Ceremony::Command6_Click},
        {"istiklal-konusma", &Ceremony::Command26_Click},
        {"saygi", &Ceremony::Command7_Click},
        {"saygi2", &Ceremony::Command8_Click},
        {"saygidurusu", &Ceremony::Command20_Click},
        {"siren", &Ceremony::Command9_Click},
    }};
    for (const auto& [sound, click] : buttons) {
        if (t.sound == QLatin1String(sound)) {
            qCInfo(lcBell).noquote() << "ceremony" << t.name << "at" << minuteText(t.time) << ":" << t.sound;
            (c.ceremony.*click)();
            return;
        }
    }
}

void CalendarRules::schoolSaved(const QList<CalendarEntry>& entries, const QByteArray& calendar)
{
    m_schoolProblem.clear();
    m_schoolCalendar = calendar;
    m_calendar.setSchool(entries);
    reapply(m_today.date);
}

void CalendarRules::nationalSwitched(bool applies)
{
    m_calendar.setNationalApplies(applies);
    reapply(m_today.date);
}
