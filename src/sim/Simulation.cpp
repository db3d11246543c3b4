#include "sim/Simulation.h"

#include "calendar/NationalCalendar.h"
#include "engine/TickHorizon.h"

#include <QCoreApplication>
#include <QFile>

namespace {
QString executableDir()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
}
} // namespace

Simulation::Simulation(const QString& programFolder, const QDateTime& from, QTextStream& out,
                       SimulationOptions options)
    : m_options(options), m_time(from), m_log(out, m_time.clock()), m_folder(programFolder), m_port(m_log),
      m_wav(m_time, m_log, m_folder), m_music(m_time, m_log), m_desktop(m_log),
      m_controller(m_model,
                   Devices{m_time.clock(), m_port, m_wav, m_music, m_desktop, m_dialogs, m_shell, m_instance,
                           m_clockSync},
                   m_folder)
{
    m_controller.savePortOnUnload = false;
    m_controller.nationalCalendarPath = NationalCalendar::locate(executableDir());
    if (m_options.summary)
        m_log.mute();
    QObject::connect(&m_controller, &Controller::dayLoaded, &m_controller,
                     [this](const QString& day) { dayBegins(day); });
    QObject::connect(&m_controller, &Controller::bellRang, &m_controller, [this](const QString& minute) {
        if (m_day)
            m_day->bells << minute;
    });
    QObject::connect(&m_controller, &Controller::unloaded, &m_controller,
                     [this] { m_log.event(QStringLiteral("quit")); });
}

void Simulation::holdTimeZone()
{
#ifdef Q_OS_LINUX
    if (!qEnvironmentVariableIsSet("TZ") && QFile::exists(QStringLiteral("/etc/localtime")))
        qputenv("TZ", ":/etc/localtime");
#endif
}

bool Simulation::start()
{
    const bool started = m_controller.Form_Load();
    m_last.state = m_controller.s;
    m_last.model = m_model;
    m_last.model.grid = {};
    m_lastGrid = m_model.grid;
    return started;
}

QStringList Simulation::calendarLines() const
{
    const CalendarRules& calendar = m_controller.calendar;
    QStringList lines;
    if (!calendar.schoolFileProblem().isEmpty())
        lines << QStringLiteral("takvim-bozuk ") + calendar.schoolFileProblem();
    for (const AppliedRule& r : calendar.today().rules)
        lines << (r.name.isEmpty() ? CalendarRuleWords::word(r.rule)
                                   : CalendarRuleWords::word(r.rule) + QLatin1Char(' ') + r.name);
    if (calendar.dayTypeMissing())
        lines << QStringLiteral("gun-turu-yok ") + calendar.today().dayType;
    return lines;
}

void Simulation::dayBegins(const QString& dayName)
{
    m_log.event(QStringLiteral("day ") + dayName);
    const QStringList lines = calendarLines();
    for (const QString& line : lines)
        m_log.event(QStringLiteral("calendar ") + line);
    if (!m_options.summary)
        return;
    printSummary();
    QStringList words;
    for (const QString& line : lines) {
        const QString word = line.section(QLatin1Char(' '), 0, 0);
        if (!words.contains(word))
            words << word;
    }
    m_day = DaySummary{m_controller.calendar.today().date,
                       words.isEmpty() ? QStringLiteral("-") : words.join(QLatin1Char('+')),
                       {}};
}

void Simulation::printSummary()
{
    if (!m_day)
        return;
    const QStringList& bells = m_day->bells;
    m_log.line(QStringLiteral("%1 %2 %3 %4 %5")
                   .arg(m_day->date.toString(Qt::ISODate), m_day->rules, QString::number(bells.size()),
                        bells.isEmpty() ? QStringLiteral("-") : bells.first(),
                        bells.isEmpty() ? QStringLiteral("-") : bells.last()));
    m_day.reset();
}

void Simulation::finish()
{
    printSummary();
}

bool Simulation::tickChangedNothing(qint64 eventsBefore)
{
    // Set from the clock alone in every tick before anything reads them: not what a tick did.
    m_last.state.currentMinute = m_controller.s.currentMinute;
    m_last.state.bellMinuteCopy = m_controller.s.bellMinuteCopy;
    m_last.model.label1Caption = m_model.label1Caption;
    m_last.model.frame1Caption = m_model.frame1Caption;
    // Today's grid changes only when a timetable is loaded. While it holds the very texts of the last
    // look it is set aside, so its 53 texts are neither compared nor copied: they were most of the cost
    // of a long rehearsal's ticks.
    const bool gridKept = sameTexts(m_lastGrid, m_model.grid);
    DaySchedule grid;
    std::swap(grid, m_model.grid);
    const bool nothing = gridKept && m_log.count() == eventsBefore && m_last.state == m_controller.s &&
                         m_last.model == static_cast<const MainModelData&>(m_model);
    if (!nothing) {
        m_last.state = m_controller.s;
        m_last.model = m_model;
        if (!gridKept)
            m_lastGrid = grid;
    }
    std::swap(grid, m_model.grid);
    return nothing;
}

void Simulation::runUntil(const QDateTime& until)
{
    const qint64 end = until.toMSecsSinceEpoch();
    const bool skipping = !m_options.tickByTick;
    while (!ended() && m_time.msecs() + 1000 <= end) {
        m_time.advanceSecond();
        m_log.clockMoved();
        // A sound that ran out before this second has ended before the tick looks at it.
        m_wav.expire();
        m_music.expire();
        const qint64 events = m_log.count();
        m_controller.Timer1_Timer();
        ++m_ticks;
        ++m_ticksRun;
        if (skipping && tickChangedNothing(events) && !ended())
            skipQuietSeconds(end);
    }
}

void Simulation::skipQuietSeconds(qint64 end)
{
    // The last tick changed nothing: the ticks after it change nothing either until something is due.
    const QDateTime clock = m_time.clock().now();
    const qint64 now = m_time.msecs();
    const int ahead = secondsUntilTickDue(m_controller, clock);
    qint64 due = now + 1000LL * ahead;
    for (const std::optional<qint64> ends : {m_wav.endsAt(), m_music.endsAt()}) {
        if (ends)
            due = std::min(due, *ends);
    }
    // Ticks fall on whole seconds from the start: the next one to run is the first at or after `due`,
    // and none runs after `end`. The clock is set to the second before it.
    const qint64 lastTick = now + (end - now) / 1000 * 1000;
    const qint64 before = std::min(now + (due - now + 999) / 1000 * 1000, lastTick + 1000) - 1000;
    if (before <= now)
        return;
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(before);
    // Across a change of the clock's offset (summer time) the wall clock does not move as counted:
    // then every second is ticked.
    if (clock.time().addSecs(static_cast<int>((before - now) / 1000)) != at.time())
        return;
    m_ticks += (before - now) / 1000;
    m_time.skipTo(before, at);
    m_log.clockMoved();
    m_controller.passedQuietly(at);
}
