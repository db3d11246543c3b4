#include "engine/BreakProgram.h"

#include "engine/Controller.h"
#include "common/Log.h"

#include <QFileInfo>

namespace {
const QString LineBreakMessage =
    QStringLiteral("Bu dosya seçilemedi: dosya yolunda satır sonu karakteri var.");

// The choice is stored one value per line; a path holding a line break would spill into the next
// value, so it is refused and the earlier choice stands. A cancelled dialog also keeps it.
std::optional<QString> choose(Controller& c)
{
    const std::optional<QString> chosen = c.d.dialogs.chooseFile(QString());
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    if (chosen->contains(QLatin1Char('\n')) || chosen->contains(QLatin1Char('\r'))) {
        c.d.dialogs.tell(LineBreakMessage, Texts::WarningTitle);
        return std::nullopt;
    }
    return chosen;
}
} // namespace

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
    if (const std::optional<QString> chosen = choose(c))
        c.s.breakProgramPath = *chosen;
}

void BreakProgram::programseckapat()
{
    if (const std::optional<QString> chosen = choose(c))
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
