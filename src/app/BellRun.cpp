#include "app/BellRun.h"

#include "app/CommandLine.h"
#include "calendar/NationalCalendar.h"
#include "common/Log.h"

#include <QCoreApplication>

BellRun::BellRun(const ProgramFolder& folder, Dialogs& dialogs, WindowShell& shell)
    : m_wav(m_audio), m_music(m_audio), m_desktop(createSystemDesktop()),
      m_instance(createInstanceGuard(folder.root())),
      m_controller(
          m_model,
          Devices{m_clock, m_port, m_wav, m_music, *m_desktop, dialogs, shell, *m_instance, *m_clockSync},
          folder),
      m_ticker(m_clock, [this] { tick(); })
{
    // Shipped with the program and updated with it, never from the program folder.
    m_controller.nationalCalendarPath = NationalCalendar::locate(QCoreApplication::applicationDirPath());
    QObject::connect(&m_controller, &Controller::unloaded, &m_controller, [this] {
        m_ticker.stop();
        m_systemd.stopping();
        qCInfo(lcApp) << "unloaded: port choice saved, tray icon removed";
    });
    // Logout and system shutdown (SIGTERM), Ctrl+C and a closed terminal end the program through the
    // same unload as every other exit.
    QObject::connect(&m_termination, &TerminationWatcher::terminationRequested, &m_controller,
                     [this] { endRequested(); });
    // Whatever ends the event loop (the end of the desktop session does so without closing a window)
    // still passes through the unload.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &m_controller,
                     [this] { endRequested(); });
}

BellRun::~BellRun() = default;

void BellRun::endRequested()
{
    if (m_loaded)
        m_controller.commands.Form_Unload(); // once; later requests find it done
    else
        QCoreApplication::exit(ExitStatus::Refused);
}

void BellRun::tick()
{
    m_controller.Timer1_Timer();
    if (!m_controller.s.unloaded)
        m_systemd.watchdog();
}

int BellRun::exec(const std::function<void()>& loaded)
{
    if (!m_controller.Form_Load())
        return ExitStatus::Refused;
    m_loaded = true;
    loaded();
    m_ticker.start(); // the first tick, at once
    qCInfo(lcApp) << "first tick";
    // The weekend close may have unloaded the window in that tick. No event loop runs yet to take its
    // request to end, so the run ends here.
    if (m_controller.s.unloaded)
        return ExitStatus::Ok;
    m_systemd.ready();
    return QCoreApplication::exec();
}
