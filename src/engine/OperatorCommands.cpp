#include "engine/OperatorCommands.h"

#include "common/Log.h"
#include "engine/Controller.h"
#include "schedule/SettingsFiles.h"

namespace {
const QString BellsQuestion = QStringLiteral("Zillerin otomatik olarak çalma durumu değiştirilecektir, ");
} // namespace

QString OperatorCommands::notSavedMessage(const QStringList& files)
{
    return QStringLiteral("Ayarlar kaydedilemedi: %1. "
                          "Program klasörüne yazma izni olmayabilir ya da disk dolu olabilir.")
        .arg(files.join(QStringLiteral(", ")));
}

void OperatorCommands::Commandac_Click()
{
    if (!c.d.dialogs.askYesNo(BellsQuestion + QStringLiteral("zilleri açmak istediğinizden emin misiniz ?")))
        return;
    c.calendar.operatorSwitchedBells();
    c.s.bellsOff = 0;
    c.s.ampHoldAfterSound = 0;
    c.m.label7 = {Texts::BellsOn, Colours::Green};
}

void OperatorCommands::Command12_Click()
{
    if (!c.d.dialogs.askYesNo(BellsQuestion +
                              QStringLiteral("zilleri kapatmak istediğinizden emin misiniz ?")))
        return;
    c.calendar.operatorSwitchedBells();
    c.s.bellsOff = 1;
    c.m.label7 = {Texts::BellsOff, Colours::LightRed};
}

void OperatorCommands::zilkapat_Click()
{
    // Yes switches the bells off and No switches them on: No is not a cancel here.
    const bool off = c.d.dialogs.askYesNo(
        BellsQuestion + QStringLiteral("zilleri kapatmak/açmak istediğinizden emin misiniz ?"));
    c.calendar.operatorSwitchedBells();
    if (off) {
        if (c.s.bellsOff == 0)
            c.s.bellsOff = 1;
        return;
    }
    c.s.bellsOff = 0;
    c.m.label7 = {Texts::BellsOn, Colours::Green};
}

void OperatorCommands::Command18_Click()
{
    if (!c.d.dialogs.askYesNo(QStringLiteral("Kapatmak istediğinizden emin misiniz ?")))
        return;
    if (c.s.breakProgramMode == 1)
        c.program.programkapat();
    c.music.stopMusic();
    Form_Unload();
}

void OperatorCommands::mncikis_Click()
{
    if (c.d.dialogs.askYesNo(QStringLiteral("Kapatmak istediğinizden emin misiniz ?")))
        Form_Unload();
}

void OperatorCommands::bilgkapat_Click()
{
    if (c.d.dialogs.askYesNo(QStringLiteral("Bilgisayarı kapatmak istediğinizden emin misiniz ?")))
        c.d.desktop.shutdown();
}

void OperatorCommands::Command19_Click()
{
    if (!SettingsFiles::writeKapat(c.folder, c.m.text26, c.m.text45)) {
        c.d.dialogs.tell(notSavedMessage({QStringLiteral("kapat.txt")}), Texts::WarningTitle);
        return;
    }
    // Read straight back, so the boxes show what was stored.
    const SettingsFiles::Kapat stored = SettingsFiles::readKapat(c.folder);
    if (stored.weekday)
        c.m.text26 = *stored.weekday;
    if (stored.weekend)
        c.m.text45 = *stored.weekend;
}

void OperatorCommands::Command14_Click()
{
    ControllerState& s = c.s;
    MainModel& m = c.m;
    QStringList failed;
    if (!s.breakProgramPath.isEmpty() && !s.breakProgramImageName.isEmpty() &&
        !SettingsFiles::writeUygulama(c.folder, s.breakProgramPath, s.breakProgramImageName,
                                      m.check33 ? 1 : 0))
        failed << QStringLiteral("uygulama.txt");

    auto flag = [](bool b) { return b ? 1 : 0; };
    std::array<int, SettingsFiles::MelodiLines> lines{};
    lines[0] = m.box(MelodyBox::Student).position;
    lines[1] = m.box(MelodyBox::Teacher).position;
    lines[2] = m.box(MelodyBox::Exit).position;
    lines[3] = flag(m.check1);
    lines[4] = flag(m.check2);
    lines[5] = flag(m.check3);
    lines[6] = flag(m.check4);
    lines[7] = flag(m.check5);
    lines[8] = s.musicVolume;
    for (int lesson = 1; lesson <= 14; ++lesson)
        lines[lesson + 8] = flag(m.lessonMusic[lesson - 1]);
    lines[23] = m.box(MelodyBox::Assembly).position;
    for (int lesson = 15; lesson <= 17; ++lesson)
        lines[lesson + 9] = flag(m.lessonMusic[lesson - 1]);
    if (!SettingsFiles::writeMelodi(c.folder, lines))
        failed << QStringLiteral("Melodi.txt");
    c.melodies.recomputeAll();

    if (!SettingsFiles::writeMuzikler(c.folder, m.musicList))
        failed << QStringLiteral("muzikler.txt");
    m.musicListIndex = static_cast<int>(m.musicList.size()) - 1;

    if (!failed.isEmpty())
        c.d.dialogs.tell(notSavedMessage(failed), Texts::WarningTitle);
}

void OperatorCommands::Form_Unload()
{
    if (c.s.unloaded)
        return;
    // A failure here must not keep the program from ending: it is only logged.
    if (c.savePortOnUnload && !SettingsFiles::writePort(c.folder, c.s.lptPortNumber))
        qCWarning(lcFiles) << "port.txt could not be written; the port choice is not saved";
    c.d.shell.removeTrayIcon();
    c.s.unloaded = true;
    Q_EMIT c.unloaded();
    c.d.shell.quit();
}
