#include "app/DesktopRun.h"

#include "app/AppResources.h"
#include "app/BellRun.h"
#include "app/CommandLine.h"
#include "app/LogDialogs.h"
#include "app/MainWindow.h"
#include "app/QtDialogs.h"
#include "app/TrayShell.h"
#include "common/Log.h"
#include "editor/EditorLauncher.h"
#include "platform/HeadlessService.h"
#include "platform/ProgramFolderChoice.h"
#include "platform/SystemAutostart.h"

#include <QApplication>
#include <QSessionManager>

namespace {
const QString ServiceRunsMessage = QStringLiteral(
    "Zil programı bu bilgisayarda ekransız hizmet olarak zaten çalışıyor (vezozil-headless). Zilleri bu "
    "hizmet çaldığı için ikinci bir zil programı başlatılmadı.\n\n"
    "Pencereli programı kullanmak için önce hizmeti kapatın: sudo systemctl disable --now vezozil-headless");

// Qt's platforms without a screen: nobody can see a message box there, let alone answer one.
bool hasScreen()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && !platform.startsWith(QLatin1String("minimal"));
}

// The end of the desktop session. The next session's autostart starts the program again, so the
// session must not restore a copy of its own, which would be refused with a message at every login.
void followTheSession(QApplication& app, BellRun& run)
{
    auto noRestart = [](QSessionManager& manager) { manager.setRestartHint(QSessionManager::RestartNever); };
    QObject::connect(&app, &QGuiApplication::saveStateRequest, &run.controller(), noRestart);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &run.controller(),
                     [&run, noRestart](QSessionManager& manager) {
                         noRestart(manager);
#ifdef Q_OS_WIN
                         // Windows may end the process as soon as the session ends, before the event
                         // loop could: the unload runs now.
                         qCInfo(lcApp) << "the desktop session ends: ending";
                         run.endRequested();
#else
                         // An X session manager asks the same at a save point of a session that goes
                         // on. At its end it then asks the program to quit, and the end of the event
                         // loop passes through the unload.
                         Q_UNUSED(run);
                         qCInfo(lcApp) << "the desktop session asks to save";
#endif
                     });
}
} // namespace

int runDesktop(int& argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vezozil"));
    QApplication::setApplicationVersion(QStringLiteral(VEZOZIL_VERSION));
    initAppResources();
    installTurkishTranslations(app);

    const ProgramFolder folder(chooseProgramFolder(app.arguments(), QApplication::applicationDirPath()));
    qCInfo(lcApp) << "program folder" << folder.root();

    QtDialogs windowDialogs;
    LogDialogs logDialogs;
    Dialogs& dialogs = hasScreen() ? static_cast<Dialogs&>(windowDialogs) : logDialogs;
    // One bell engine per PC: two would ring every bell twice and both drive the relay.
    if (HeadlessService::isActive()) {
        qCWarning(lcApp) << HeadlessService::Unit << "is active: no second bell engine is started";
        dialogs.tell(ServiceRunsMessage, Texts::WarningTitle);
        return ExitStatus::Refused;
    }

    TrayShell shell;
    BellRun run(folder, dialogs, shell);
    EditorLauncher editor(folder, dialogs);
    const std::unique_ptr<Autostart> autostart = createSystemAutostart(
        autostartCommand(QApplication::applicationFilePath(), folder.root(),
                         !programFolderArgument(app.arguments()).isNull(), installedPlaces()));
    MainWindow window(run.controller(), run.desktop(), [&editor] { editor.open(); });
    windowDialogs.setParentWindow(&window);
    window.setAutostart(autostart.get());
    shell.attach(&window, &run.controller());
    QObject::connect(&run.controller(), &Controller::unloaded, &app, [&editor] { editor.closeEditor(); });
    followTheSession(app, run);
    return run.exec([&window] { window.show(); });
}
