#include "engine/Startup.h"

#include "engine/Controller.h"
#include "common/Log.h"
#include "schedule/DayTable.h"
#include "schedule/SettingsFiles.h"

#include <QRegularExpression>

namespace {
const QString SecondCopyMessage =
    QStringLiteral("Zil programı zaten çalışıyor ! Bildirim alanındaki saat simgesinden açabilirsiniz.");

// A stored value outside its control's range keeps the control's current value.
void applyPosition(MelodyChoice& box, const std::optional<int>& value)
{
    if (!value || *value < -1 || *value >= MelodyRows)
        return;
    box.position = *value;
    if (*value >= 0)
        box.text = QStringLiteral("Melodi %1").arg(*value + 1);
}

void applyCheck(bool& box, const std::optional<int>& value)
{
    if (value && (*value == 0 || *value == 1))
        box = *value == 1;
}

void applyVolume(int& volume, const std::optional<QString>& text)
{
    static const QRegularExpression leadingDigits(QStringLiteral("^\\s*[+-]?\\d"));
    if (!text || !leadingDigits.match(*text).hasMatch())
        return;
    const int n = SettingsFiles::leadingNumber(*text);
    if (n >= 0 && n <= 100)
        volume = n;
}
} // namespace

bool Startup::Form_Load()
{
    ControllerState& s = c.s;
    MainModel& m = c.m;
    const ProgramFolder& folder = c.folder;

    s.ampMode = 0; // 1
    s.ampHoldAfterSound = 0;
    c.program.gecisyap(); // 2

    const SettingsFiles::Uygulama app = SettingsFiles::readUygulama(folder); // 3
    if (app.programPath)
        s.breakProgramPath = *app.programPath;
    if (app.imageName)
        s.breakProgramImageName = *app.imageName;
    if (app.check33 && (*app.check33 == 0 || *app.check33 == 1)) {
        const bool ticked = *app.check33 == 1;
        if (ticked != m.check33) { // setting the box raises its click
            m.check33 = ticked;
            c.program.Check33_Click();
        }
    }
    s.musicStoppedByOperator = 0; // 4

    if (c.d.instance.anotherCopyRunning()) { // 5
        qCWarning(lcApp) << "another copy is running on this program folder; ending";
        c.d.dialogs.tell(SecondCopyMessage, QString());
        return false;
    }

    s.breakActive = 0;                                  // 6
    s.trayIconRecord = {88, 1, 7, 512, Texts::TrayTip}; // 7
    // 8 and 9 (pixel coordinates, the menu made visible) belong to the window itself.
    s.shutdownIssued = 0; // 10
    s.ampState = 1;
    s.minuteHandled = 0;
    s.announcementPending = 0;
    s.bellsOff = 0;
    const QDate today = c.d.clock.now().date();
    s.loadedDayName = DayTable::nameOf(today); // 11
    // Our own settings, which the system's files do not hold: the calendar's switch is one of them,
    // and the relay is first written with them at step 21.
    c.settings = AppSettings::read(folder);
    c.calendar.load(c.nationalCalendarPath);
    c.calendar.beginDay(today); // 12: today's timetable, its day type's where the calendar names one
    s.ampState = 1;             // 13

    const SettingsFiles::Melodi mel = SettingsFiles::readMelodi(folder); // 14
    applyPosition(m.box(MelodyBox::Student), mel.lines[0]);
    applyPosition(m.box(MelodyBox::Teacher), mel.lines[1]);
    applyPosition(m.box(MelodyBox::Exit), mel.lines[2]);
    applyCheck(m.check1, mel.lines[3]);
    applyCheck(m.check2, mel.lines[4]);
    applyCheck(m.check3, mel.lines[5]);
    applyCheck(m.check4, mel.lines[6]);
    applyCheck(m.check5, mel.lines[7]);
    for (int lesson = 1; lesson <= 14; ++lesson)
        applyCheck(m.lessonMusic[lesson - 1], mel.lines[lesson + 8]);
    applyPosition(m.box(MelodyBox::Assembly), mel.lines[23]);
    for (int lesson = 15; lesson <= 17; ++lesson)
        applyCheck(m.lessonMusic[lesson - 1], mel.lines[lesson + 9]);
    applyVolume(s.musicVolume, mel.volumeText); // 15
    c.music.setMusicVolume();
    c.melodies.recomputeAll(); // 16

    const SettingsFiles::Kapat kapat = SettingsFiles::readKapat(folder); // 17
    if (kapat.weekday)
        m.text26 = *kapat.weekday;
    if (kapat.weekend)
        m.text45 = *kapat.weekend;

    m.musicList.append(SettingsFiles::readMuzikler(folder)); // 18

    if (const std::optional<int> port = SettingsFiles::readPort(folder)) // 19
        s.lptPortNumber = *port;
    c.amp.selectPort(); // 20, 21
    m.touch();
    return true;
}
