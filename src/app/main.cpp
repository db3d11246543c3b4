#include "app/AppResources.h"
#include "app/MainWindow.h"
#include "app/QtDialogs.h"
#include "app/TrayShell.h"
#include "editor/EditorLauncher.h"
#include "engine/Controller.h"
#include "common/Log.h"
#include "engine/TickScheduler.h"
#include "platform/LockFileInstanceGuard.h"
#include "platform/ProgramFolderChoice.h"
#include "platform/SystemAutostart.h"
#include "platform/SystemDesktop.h"
#include "platform/TerminationWatcher.h"
#include "relay/SystemRelayPort.h"
#include "sim/SimulateCommand.h"
#include "sound/SdlAudio.h"
#include "sound/SdlMusicPlayer.h"
#include "sound/SdlWavPlayer.h"

#include <QApplication>
#include <QTextStream>

namespace {
bool wantsRehearsal(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--simulate") == 0)
            return true;
    }
    return false;
}

// A rehearsal of a day opens no window and touches no device.
int rehearse(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    return runSimulateCommand(app.arguments().mid(1), out);
}
} // namespace

int main(int argc, char** argv)
{
    if (wantsRehearsal(argc, argv))
        return rehearse(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vezozil"));
    QApplication::setApplicationVersion(QStringLiteral(VEZOZIL_VERSION));
    initAppResources();
    installTurkishTranslations(app);

    const ProgramFolder folder(chooseProgramFolder(app.arguments(), QApplication::applicationDirPath()));
    qCInfo(lcApp) << "program folder" << folder.root();

    SystemClock clock;
    const std::unique_ptr<RelayPort> port = createSystemRelayPort();
    SdlAudio audio;
    SdlWavPlayer wav(audio);
    SdlMusicPlayer music(audio);
    SystemDesktop desktop;
    QtDialogs dialogs;
    TrayShell shell;
    LockFileInstanceGuard instance(folder.root());

    MainModel model;
    Controller controller(model, Devices{clock, *port, wav, music, desktop, dialogs, shell, instance}, folder);
    EditorLauncher editor(folder, dialogs);
    MainWindow window(controller, desktop, [&editor] { editor.open(); });
    dialogs.setParentWindow(&window);
    const std::unique_ptr<Autostart> autostart = createSystemAutostart(
        autostartCommand(QApplication::applicationFilePath(), folder.root(),
                         !programFolderArgument(app.arguments()).isNull(), installedPlaces()));
    window.setAutostart(autostart.get());
    shell.attach(&window, &controller);

    if (!controller.Form_Load())
        return 0;
    window.show();

    bool firstTick = true;
    TickScheduler ticker(clock, [&] {
        controller.Timer1_Timer();
        if (firstTick) {
            firstTick = false;
            qCInfo(lcApp) << "first tick";
        }
    });
    QObject::connect(&controller, &Controller::unloaded, &app, [&] {
        ticker.stop();
        editor.closeEditor();
    });
    // Logout and system shutdown end the program through the same unload as every other exit.
    TerminationWatcher termination;
    QObject::connect(&termination, &TerminationWatcher::terminationRequested, &controller,
                     [&controller] { controller.commands.Form_Unload(); });
    ticker.start();
    return app.exec();
}
