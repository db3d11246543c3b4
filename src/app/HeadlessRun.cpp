#include "app/HeadlessRun.h"

#include "app/BellRun.h"
#include "app/CommandLine.h"
#include "app/HeadlessShell.h"
#include "app/LogDialogs.h"
#include "common/Log.h"
#include "platform/ProgramFolderChoice.h"
#include "platform/SystemBackends.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
// A copy of this program with a window on this PC, whoever runs it and on whatever folder: a
// process of the same name whose command line, read by the same rules, asks for a window. Its pid, or
// 0 when there is none.
qint64 desktopCopy(ProcessControl& processes)
{
    // The kernel keeps the first 15 bytes of a process's name.
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName().left(15);
    const qint64 self = processes.ownPid();
    for (const qint64 pid : processes.processIds()) {
        if (pid == self || processes.commandName(pid) != name)
            continue;
        const QStringList words = processes.commandLine(pid);
        const CommandLine line = CommandLine::parse(words.mid(1));
        if (!words.isEmpty() && line.action == CommandLine::Action::Run && !line.headless)
            return pid;
    }
    return 0;
}

// A service manager started this run (it names each start of a unit in INVOCATION_ID): the service
// that rings the bells of a PC where nobody logs in. A desktop copy that already rings them there
// would make it a second engine, with every bell rung twice and two programs driving the relay.
bool secondEngineBesideADesktopCopy()
{
    if (qEnvironmentVariableIsEmpty("INVOCATION_ID"))
        return false;
    const std::unique_ptr<ProcessControl> processes = createProcessControl();
    const qint64 pid = desktopCopy(*processes);
    if (pid == 0)
        return false;
    qCWarning(lcApp).nospace() << "a copy of the program with a window runs on this PC (process " << pid
                               << ", uid " << processes->realUid(pid)
                               << ") and rings the bells: the service does not start a second bell engine. "
                                  "Close that copy and turn off its autostart, then start the service again";
    return true;
}
} // namespace

int runHeadless(int& argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vezozil"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VEZOZIL_VERSION));
    if (secondEngineBesideADesktopCopy())
        return ExitStatus::Refused;
    const ProgramFolder folder(chooseProgramFolder(app.arguments(), QCoreApplication::applicationDirPath()));
    qCInfo(lcApp) << "program folder" << folder.root() << "(headless)";

    // This run is the engine the desktop start defers to, so it does not ask about the service.
    LogDialogs dialogs;
    HeadlessShell shell;
    BellRun run(folder, dialogs, shell);
    run.controller().dayRules.closeKeepsRunning = true;
    return run.exec([] {});
}
