#include "sound/BreakProgram.h"

#include "engine/Controller.h"
#include "engine/Log.h"

#include <QFileInfo>

void BreakProgram::gecisyap()
{
    if (!c.m.check33) {
        c.m.programControlsShown = true;
        c.s.breakProgramMode = 1;
    }
    if (c.m.check33) {
        c.m.programControlsShown = false;
        c.s.breakProgramMode = 0;
    }
}

void BreakProgram::programsecac()
{
    const std::optional<QString> chosen = c.d.dialogs.chooseFile(QString());
    // A cancelled dialog keeps the program already chosen instead of wiping it.
    if (chosen && !chosen->isEmpty())
        c.s.breakProgramPath = *chosen;
}

void BreakProgram::programseckapat()
{
    const std::optional<QString> chosen = c.d.dialogs.chooseFile(QString());
    if (chosen && !chosen->isEmpty())
        c.s.breakProgramImageName = QFileInfo(*chosen).fileName();
}

void BreakProgram::programac()
{
    if (c.s.breakProgramPath.isEmpty())
        return;
    qCInfo(lcApp) << "opening break program" << c.s.breakProgramPath;
    c.d.desktop.openDocument(c.s.breakProgramPath);
}

void BreakProgram::programkapat()
{
    if (c.s.breakProgramImageName.isEmpty())
        return;
    // Kept for the log only: the name goes to the process killer as one argument, never through a
    // shell, so a name with blanks still matches and no name can inject a command.
    c.s.killCommandLine = QStringLiteral("TASKKILL /F /IM ") + c.s.breakProgramImageName;
    qCInfo(lcApp) << "ending break program:" << c.s.killCommandLine;
    c.d.desktop.killProcesses(c.s.breakProgramImageName);
}

void BreakProgram::Check33_Click() { gecisyap(); }
void BreakProgram::Command5_Click() { programsecac(); }
void BreakProgram::Command24_Click() { programseckapat(); }
