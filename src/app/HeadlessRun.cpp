#include "app/HeadlessRun.h"

#include "app/BellRun.h"
#include "app/HeadlessShell.h"
#include "app/LogDialogs.h"
#include "common/Log.h"
#include "platform/ProgramFolderChoice.h"

#include <QCoreApplication>

int runHeadless(int& argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vezozil"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VEZOZIL_VERSION));
    const ProgramFolder folder(chooseProgramFolder(app.arguments(), QCoreApplication::applicationDirPath()));
    qCInfo(lcApp) << "program folder" << folder.root() << "(headless)";

    // This run is the engine the desktop start defers to, so it does not ask about the service.
    LogDialogs dialogs;
    HeadlessShell shell;
    BellRun run(folder, dialogs, shell);
    run.controller().dayRules.closeKeepsRunning = true;
    return run.exec([] {});
}
