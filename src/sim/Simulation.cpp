#include "sim/Simulation.h"

#include <QFile>

Simulation::Simulation(const QString& programFolder, const QDateTime& from, QTextStream& out)
    : m_time(from), m_log(out, m_time.clock()), m_folder(programFolder), m_port(m_log),
      m_wav(m_time, m_log, m_folder), m_music(m_time, m_log), m_desktop(m_log),
      m_controller(m_model,
                   Devices{m_time.clock(), m_port, m_wav, m_music, m_desktop, m_dialogs, m_shell, m_instance,
                           m_clockSync},
                   m_folder)
{
    m_controller.savePortOnUnload = false;
    QObject::connect(&m_controller, &Controller::dayLoaded, &m_controller,
                     [this](const QString& day) { m_log.event(QStringLiteral("day ") + day); });
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
    return m_controller.Form_Load();
}

void Simulation::runUntil(const QDateTime& until)
{
    const qint64 end = until.toMSecsSinceEpoch();
    while (!ended() && m_time.msecs() + 1000 <= end) {
        m_time.advanceSecond();
        m_log.clockMoved();
        // A sound that ran out before this second has ended before the tick looks at it.
        m_wav.expire();
        m_music.expire();
        m_controller.Timer1_Timer();
        ++m_ticks;
    }
}
