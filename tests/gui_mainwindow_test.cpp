#include "support/GuiRig.h"
#include "support/TestSupport.h"

#include "app/CalendarWindow.h"
#include "app/CreditsFrame.h"
#include "app/DayTypeDialog.h"
#include "app/WidgetSync.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSpinBox>

#include <functional>
#include <vector>

TEST(MainWindow, FullDayFileFillsEveryGridBoxIncludingAssembly)
{
    GuiRig gui;
    QHash<int, QString> slots;
    for (int i = 0; i < Slots::Count; ++i)
        slots.insert(i, QStringLiteral("%1:%2")
                            .arg(7 + i / 6, 2, 10, QLatin1Char('0'))
                            .arg(i % 6 * 10, 2, 10, QLatin1Char('0')));
    gui.rig.writeDay(QStringLiteral("Pazartesi"), slots);
    gui.start();
    for (int i = 0; i < Slots::Count; ++i) {
        auto* box = gui.find<QLineEdit>(Slots::mainFieldName(i));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), slots.value(i)) << Slots::mainFieldName(i).toStdString();
    }
}

TEST(MainWindow, StatusShowsDateClockAndBellSwitchOnItsColour)
{
    GuiRig gui(QDateTime(QDate(2026, 12, 7), QTime(9, 59, 59)));
    gui.start();
    EXPECT_EQ(gui.find<QGroupBox>(QStringLiteral("Frame1"))->title(),
              QStringLiteral("07 Aralık 2026  Pazartesi"));
    EXPECT_EQ(gui.find<QLabel>(QStringLiteral("Label1"))->text(), QStringLiteral("10:00:00"));
    auto* label7 = gui.find<QLabel>(QStringLiteral("Label7"));
    EXPECT_EQ(label7->text(), QStringLiteral(" Zil Açık"));
    EXPECT_EQ(label7->palette().color(QPalette::Window), QColor(0, 192, 0));
    EXPECT_EQ(gui.find<QLabel>(QStringLiteral("Label22"))->text(), QStringLiteral("0"));
}

TEST(MainWindow, BellsOffConfirmedShowsLightRedAtOnce)
{
    GuiRig gui;
    gui.start();
    gui.rig.dialogs.answers = {true};
    gui.find<QAbstractButton>(QStringLiteral("Command12"))->click();
    auto* label7 = gui.find<QLabel>(QStringLiteral("Label7"));
    EXPECT_EQ(label7->text(), QStringLiteral(" Zil Kapalı"));
    EXPECT_EQ(label7->palette().color(QPalette::Window), QColor(255, 128, 128));
    EXPECT_EQ(gui.controller().s.bellsOff, 1);
}

TEST(MainWindow, BellsOnAnsweredNoChangesNothing)
{
    GuiRig gui;
    gui.start();
    gui.controller().s.bellsOff = 1;
    gui.rig.tick();
    gui.rig.dialogs.answers = {false};
    gui.find<QAbstractButton>(QStringLiteral("Commandac"))->click();
    EXPECT_EQ(gui.controller().s.bellsOff, 1);
    EXPECT_EQ(gui.find<QLabel>(QStringLiteral("Label7"))->text(), QStringLiteral(" Zil Kapalı"));
    EXPECT_EQ(gui.rig.dialogs.asked.size(), 1);
}

TEST(MainWindow, MusicButtonWithEmptyListDoesNothing)
{
    GuiRig gui;
    gui.start();
    const auto writes = gui.rig.port.writes.size();
    auto* label4 = gui.find<QLabel>(QStringLiteral("Label4"));
    const QString amplifier = label4->text();
    gui.find<QAbstractButton>(QStringLiteral("Command22"))->click();
    EXPECT_TRUE(gui.rig.music.played.isEmpty());
    EXPECT_EQ(gui.rig.port.writes.size(), writes);
    EXPECT_EQ(gui.controller().s.breakActive, 0);
    EXPECT_EQ(label4->text(), amplifier);
}

TEST(MainWindow, MusicButtonPlaysAndShowsTheChosenRow)
{
    GuiRig gui;
    gui.start();
    gui.rig.model.musicList = {QStringLiteral("/m/a.mp3")};
    gui.find<QAbstractButton>(QStringLiteral("Command22"))->click();
    EXPECT_EQ(gui.rig.music.played, QStringList{QStringLiteral("/m/a.mp3")});
    auto* list = gui.find<QListWidget>(QStringLiteral("List1"));
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(gui.find<QLabel>(QStringLiteral("Label4"))->text(), QStringLiteral("AMFİ AÇIK"));
}

TEST(MainWindow, HayirSwitchesBetweenProgramAndMusicControls)
{
    GuiRig gui;
    gui.start();
    const auto shown = [&](const char* name) { return !gui.find(QString::fromLatin1(name))->isHidden(); };
    // Unticked at start: breaks run the program.
    EXPECT_TRUE(shown("Command5"));
    EXPECT_TRUE(shown("Label17"));
    EXPECT_FALSE(shown("List1"));
    EXPECT_FALSE(shown("Command21"));
    EXPECT_FALSE(shown("Command23"));
    EXPECT_TRUE(shown("Command22"));

    gui.find<QAbstractButton>(QStringLiteral("Check33"))->click();
    EXPECT_EQ(gui.controller().s.breakProgramMode, 0);
    for (const char* name : {"List1", "Command21", "Command23"})
        EXPECT_TRUE(shown(name)) << name;
    for (const char* name : {"Label5", "Label17", "Label18", "Command5", "Command24"})
        EXPECT_FALSE(shown(name)) << name;

    gui.find<QAbstractButton>(QStringLiteral("Check33"))->click();
    EXPECT_EQ(gui.controller().s.breakProgramMode, 1);
    EXPECT_FALSE(shown("List1"));
    EXPECT_TRUE(shown("Command24"));
}

TEST(MainWindow, AddingMusicCancelledAddsNothingAndChosenFileAppears)
{
    GuiRig gui;
    gui.start();
    gui.find<QAbstractButton>(QStringLiteral("Check33"))->click();
    auto* add = gui.find<QAbstractButton>(QStringLiteral("Command21"));
    gui.rig.dialogs.files = {QString(), QStringLiteral("/müzik/ilk.mp3")};
    add->click();
    EXPECT_EQ(gui.find<QListWidget>(QStringLiteral("List1"))->count(), 0);
    add->click();
    auto* list = gui.find<QListWidget>(QStringLiteral("List1"));
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("/müzik/ilk.mp3"));
    EXPECT_EQ(gui.rig.dialogs.filters.value(0), QStringLiteral("Müzik Seçin|*.mp3"));

    // Selecting the row and "Sil" removes it.
    list->setCurrentRow(0);
    gui.find<QAbstractButton>(QStringLiteral("Command23"))->click();
    EXPECT_EQ(list->count(), 0);
    EXPECT_TRUE(gui.rig.model.musicList.isEmpty());
}

TEST(MainWindow, VolumeButtonsStepByFiveAndShowIt)
{
    GuiRig gui;
    gui.start();
    gui.find<QAbstractButton>(QStringLiteral("Command27"))->click();
    EXPECT_EQ(gui.find<QLabel>(QStringLiteral("Label23"))->text(), QStringLiteral("95"));
    EXPECT_EQ(gui.rig.music.volume, 95);
    gui.find<QAbstractButton>(QStringLiteral("Command28"))->click();
    gui.find<QAbstractButton>(QStringLiteral("Command28"))->click();
    EXPECT_EQ(gui.find<QLabel>(QStringLiteral("Label23"))->text(), QStringLiteral("100"));
}

TEST(MainWindow, PickingAMelodySetsThePathOfThatBellOnly)
{
    GuiRig gui;
    gui.start();
    auto* teacher = gui.find<QComboBox>(QStringLiteral("Combo2"));
    teacher->setCurrentIndex(4);
    EXPECT_EQ(gui.rig.model.box(MelodyBox::Teacher).position, 4);
    EXPECT_EQ(gui.rig.model.box(MelodyBox::Teacher).text, QStringLiteral("Melodi 5"));
    EXPECT_EQ(gui.controller().s.teacherMelodyFile, QStringLiteral("\\melodiler\\5.wav"));
    EXPECT_EQ(gui.controller().s.exitMelodyFile, QStringLiteral("\\melodiler\\0.wav"));
}

TEST(MainWindow, TypingOverAMelodySelectsNoRow)
{
    GuiRig gui;
    gui.start();
    auto* student = gui.find<QComboBox>(QStringLiteral("Combo3_0"));
    student->setCurrentIndex(2);
    ASSERT_EQ(gui.controller().s.studentMelodyFile, QStringLiteral("\\melodiler\\3.wav"));
    student->lineEdit()->selectAll();
    typeInto(student->lineEdit(), QStringLiteral("zil"));
    EXPECT_EQ(student->currentText(), QStringLiteral("zil"));
    EXPECT_EQ(gui.rig.model.box(MelodyBox::Student).position, -1);
    EXPECT_EQ(gui.controller().s.studentMelodyFile, QStringLiteral("\\melodiler\\0.wav"));
    EXPECT_EQ(student->count(), 9);
}

TEST(MainWindow, ListenPlaysTheChosenMelody)
{
    GuiRig gui;
    gui.start();
    gui.find<QComboBox>(QStringLiteral("Combo3_1"))->setCurrentIndex(8);
    gui.find<QAbstractButton>(QStringLiteral("Command25"))->click();
    ASSERT_EQ(gui.rig.wav.played.size(), 1);
    EXPECT_TRUE(gui.rig.wav.played.front().endsWith(QStringLiteral("9.wav")));
}

TEST(MainWindow, CheckBoxesWriteTheModel)
{
    GuiRig gui;
    gui.start();
    const std::pair<const char*, bool MainModel::*> boxes[] = {
        {"Check1", &MainModel::check1}, {"Check2", &MainModel::check2}, {"Check3", &MainModel::check3},
        {"Check4", &MainModel::check4}, {"Check5", &MainModel::check5},
    };
    for (const auto& [name, field] : boxes) {
        gui.find<QAbstractButton>(QString::fromLatin1(name))->click();
        EXPECT_TRUE(gui.rig.model.*field) << name;
    }
    gui.find<QAbstractButton>(lessonMusicBoxName(15))->click();
    EXPECT_TRUE(gui.rig.model.lessonMusic[14]);
    EXPECT_FALSE(gui.rig.model.lessonMusic[13]);
}

TEST(MainWindow, ModelChangesReachTheBoxesWithoutRunningHandlers)
{
    GuiRig gui;
    gui.start();
    gui.rig.model.check33 = true;
    gui.rig.model.lessonMusic[0] = true;
    gui.rig.model.box(MelodyBox::Exit) = {6, QStringLiteral("Melodi 7")};
    gui.rig.model.touch();
    EXPECT_TRUE(gui.find<QAbstractButton>(QStringLiteral("Check33"))->isChecked());
    EXPECT_TRUE(gui.find<QAbstractButton>(QStringLiteral("Check7"))->isChecked());
    EXPECT_EQ(gui.find<QComboBox>(QStringLiteral("Combo1"))->currentText(), QStringLiteral("Melodi 7"));
    // Only the operator's click switches the break mode.
    EXPECT_EQ(gui.controller().s.breakProgramMode, 1);
    EXPECT_EQ(gui.controller().s.exitMelodyFile, QStringLiteral("\\melodiler\\0.wav"));
}

TEST(MainWindow, TicksShowWhatTheyChangeBesideTheClock)
{
    // An idle tick touches the clock alone; anything else a tick changes must still be shown.
    const auto text = [](QWidget* w) { return qobject_cast<QLineEdit*>(w)->text(); };
    struct Case
    {
        const char* control;
        std::function<void(MainModel&)> change;
        std::function<bool(QWidget*)> shown;
    };
    const std::vector<Case> cases{
        {"Text1", [](MainModel& m) { m.text1 = QStringLiteral("07:55"); },
         [&](QWidget* w) { return text(w) == QStringLiteral("07:55"); }},
        {"Text2", [](MainModel& m) { m.grid[0] = QStringLiteral("07:56"); },
         [&](QWidget* w) { return text(w) == QStringLiteral("07:56"); }},
        {"Text26", [](MainModel& m) { m.text26 = QStringLiteral("16:45"); },
         [&](QWidget* w) { return text(w) == QStringLiteral("16:45"); }},
        {"Label23", [](MainModel& m) { m.label23Caption = QStringLiteral("55"); },
         [](QWidget* w) { return qobject_cast<QLabel*>(w)->text() == QStringLiteral("55"); }},
        {"Check8", [](MainModel& m) { m.lessonMusic[1] = true; },
         [](QWidget* w) { return qobject_cast<QAbstractButton*>(w)->isChecked(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        GuiRig gui;
        gui.start();
        c.change(gui.rig.model);
        gui.rig.tick();
        EXPECT_TRUE(c.shown(gui.find(QString::fromLatin1(c.control))));
    }
}

TEST(MainWindow, ShutdownTimesTakeAnyFiveCharactersAsTyped)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("16:30"), QStringLiteral("16:30")},
        {QStringLiteral("XX:XX"), QStringLiteral("XX:XX")}, // no clock shows it: no shutdown that day
        {QStringLiteral("16.30"), QStringLiteral("16.30")},
        {QStringLiteral("16:300"), QStringLiteral("16:30")},
        {QStringLiteral("yok"), QStringLiteral("yok")},
    };
    for (const auto& [typed, kept] : cases) {
        GuiRig gui;
        gui.start();
        auto* text26 = gui.find<QLineEdit>(QStringLiteral("Text26"));
        text26->selectAll();
        typeInto(text26, typed);
        EXPECT_EQ(gui.rig.model.text26, kept) << typed.toStdString();
        EXPECT_EQ(gui.rig.model.text45, QStringLiteral("18:00"));
    }
}

TEST(MainWindow, PortOptionTakesEffectAtTheNextStart)
{
    GuiRig gui;
    gui.controller().s.lptPortNumber = 1; // as if read from port.txt
    gui.start();
    EXPECT_TRUE(gui.find<QAbstractButton>(QStringLiteral("Option1"))->isChecked());
    gui.find<QAbstractButton>(QStringLiteral("Option2"))->click();
    EXPECT_EQ(gui.controller().s.lptPortNumber, 2);
    EXPECT_TRUE(gui.find<QAbstractButton>(QStringLiteral("Option2"))->isChecked());
    EXPECT_FALSE(gui.find<QAbstractButton>(QStringLiteral("Option1"))->isChecked());
    EXPECT_EQ(gui.controller().amp.relayPortAddress(), 888);
}

TEST(MainWindow, WarmUpIsSavedAtOnceAndAFailedSaveIsToldAndUndone)
{
    GuiRig gui;
    gui.rig.writeFile(QStringLiteral("ayarlar.ini"), "[Amfi]\nIsinmaSuresi=3\n");
    gui.start();
    auto* warmUp = gui.find<QSpinBox>(QStringLiteral("IsinmaSuresi"));
    EXPECT_EQ(warmUp->value(), 3);

    warmUp->setValue(5);
    EXPECT_EQ(gui.controller().settings.warmUpSeconds, 5);
    EXPECT_TRUE(gui.rig.readFile(QStringLiteral("ayarlar.ini")).contains("IsinmaSuresi=5"));
    EXPECT_TRUE(gui.rig.dialogs.told.empty());

    // Something that is no file stands in its place: nothing is written, the operator is told.
    QFile::remove(gui.rig.dir.filePath(QStringLiteral("ayarlar.ini")));
    QDir(gui.rig.dir.path()).mkdir(QStringLiteral("ayarlar.ini"));
    warmUp->setValue(7);
    ASSERT_EQ(gui.rig.dialogs.told.size(), 1u);
    EXPECT_TRUE(
        gui.rig.dialogs.told[0].first.startsWith(QStringLiteral("Ayarlar kaydedilemedi: ayarlar.ini.")));
    EXPECT_EQ(gui.controller().settings.warmUpSeconds, 5);
    EXPECT_EQ(warmUp->value(), 5);
}

TEST(MainWindow, RelayProblemIsShownUntilTheRelayAnswers)
{
    GuiRig gui;
    gui.rig.writeFile(QStringLiteral("port.txt"), "1\r\n"); // a port is chosen and answers
    gui.start();
    auto* warning = gui.find<QLabel>(QStringLiteral("relayProblem"));
    EXPECT_TRUE(warning->isHidden());
    gui.rig.model.relayProblem = QStringLiteral("Röle portuna ulaşılamıyor");
    gui.rig.model.touch();
    EXPECT_FALSE(warning->isHidden());
    EXPECT_EQ(warning->text(), QStringLiteral("Röle portuna ulaşılamıyor"));
    EXPECT_TRUE(warning->toolTip().startsWith(QStringLiteral("Röle portuna ulaşılamıyor")));
    gui.rig.model.relayProblem.clear();
    gui.rig.model.touch();
    EXPECT_TRUE(warning->isHidden());
}

TEST(MainWindow, EditorButtonOpensTheEditor)
{
    GuiRig gui;
    gui.start();
    gui.find<QAbstractButton>(QStringLiteral("Command29"))->click();
    EXPECT_EQ(gui.editorOpens, 1);
}

TEST(MainWindow, BellPictureOpensTheHomePage)
{
    GuiRig gui;
    gui.start();
    clickAt(gui.find(QStringLiteral("Image2")));
    EXPECT_EQ(gui.rig.desktop.urls, QStringList{CreditsFrame::HomePage});
    EXPECT_TRUE(CreditsFrame::HomePage.startsWith(QStringLiteral("https://")));
}

TEST(MainWindow, CloseBoxUnloadsWithoutAQuestion)
{
    GuiRig gui;
    gui.start();
    gui.window.close();
    EXPECT_TRUE(gui.rig.dialogs.asked.isEmpty());
    EXPECT_TRUE(gui.controller().s.unloaded);
    EXPECT_EQ(gui.rig.shell.removes, 1);
    EXPECT_EQ(gui.rig.shell.quits, 1);
}

TEST(MainWindow, MenuItemsReachTheirHandlers)
{
    GuiRig gui;
    gui.start();
    const QList<QAction*> items = gui.window.trayMenu()->actions();
    gui.rig.shell.windowVisible = false;
    items[0]->trigger(); // Ekranda Göster
    EXPECT_EQ(gui.rig.shell.shows, 1);

    gui.rig.dialogs.answers = {true};
    items[1]->trigger(); // Amfiyi Aç
    EXPECT_EQ(gui.find<QLabel>(QStringLiteral("Label4"))->text(), QStringLiteral("AMFİ AÇIK"));

    gui.rig.dialogs.answers = {false};
    items[4]->trigger(); // Bilgisayarı Kapat, answered No
    EXPECT_EQ(gui.rig.desktop.shutdowns, 0);

    gui.rig.dialogs.answers = {true};
    items[3]->trigger(); // Programı Kapat
    EXPECT_TRUE(gui.controller().s.unloaded);
    EXPECT_EQ(gui.rig.dialogs.unexpected, 0);
}

TEST(MainWindow, OwnMouseMovesAreNoTrayEvents)
{
    GuiRig gui;
    gui.start();
    for (const int x : {TrayMenu::DoubleClick, TrayMenu::RightRelease}) {
        const QPointF pos(x, 5);
        QMouseEvent move(QEvent::MouseMove, pos, gui.window.mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&gui.window, &move);
    }
    EXPECT_EQ(gui.rig.shell.shows, 0);
    EXPECT_EQ(gui.rig.shell.menus, 0);
}

TEST(MainWindow, HiddenWindowCatchesUpWhenShownAgain)
{
    GuiRig gui;
    gui.start();
    gui.window.hide();
    gui.rig.runUntil(QTime(8, 5, 0));
    gui.window.show();
    EXPECT_EQ(gui.find<QLabel>(QStringLiteral("Label1"))->text(), QStringLiteral("08:05:00"));
}

namespace {
struct PaintCounter : QObject
{
    QStringList painted;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted.contains(watched->objectName()))
            painted << watched->objectName();
        return false;
    }
};
} // namespace

TEST(MainWindow, IdleTickRepaintsOnlyTheClock)
{
    GuiRig gui;
    gui.start();
    QCoreApplication::processEvents();
    PaintCounter counter;
    for (QWidget* w : gui.window.findChildren<QWidget*>())
        w->installEventFilter(&counter);
    for (int i = 0; i < 3; ++i) {
        gui.rig.tick();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(counter.painted, QStringList{QStringLiteral("Label1")});
}

TEST(WidgetSync, StoredColoursKeepRedInTheLowestByte)
{
    const std::pair<quint32, QColor> cases[] = {
        {Colours::Green, QColor(0, 192, 0)},
        {Colours::LightRed, QColor(255, 128, 128)},
        {Colours::Red, QColor(255, 0, 0)},
        {0xFF0000, QColor(0, 0, 255)},
    };
    for (const auto& [stored, colour] : cases)
        EXPECT_EQ(WidgetSync::fromStored(stored), colour) << stored;
}

// The "Takvim" button opens one calendar window; its "Eğitim yılı…" enters a whole school year through
// its dialog, saved to takvim.ics and applied to today at once, in the main window too.
TEST(MainWindow, CalendarWindowEntersTheSchoolYearAndTodayFollowsAtOnce)
{
    GuiRig gui(QDateTime(QDate(2026, 11, 10), QTime(8, 0, 0)));
    gui.start();
    gui.find<QAbstractButton>(QStringLiteral("calendarButton"))->click();
    CalendarWindow* window = gui.window.calendarWindow();
    ASSERT_NE(window, nullptr);
    gui.window.openCalendar();
    EXPECT_EQ(gui.window.calendarWindow(), window); // brought to the front, not opened twice

    std::optional<SchoolYearDates> offered;
    gui.rig.dialogs.schoolYearAnswer = [&](SchoolYearDates& dates) {
        offered = dates;
        dates.firstBreakEnd = QDate(2026, 11, 16); // the operator corrects one date
        return true;
    };
    window->findChild<QAbstractButton*>(QStringLiteral("calendarSchoolYear"))->click();
    ASSERT_TRUE(offered.has_value());
    EXPECT_EQ(offered->firstTermStart, QDate(2026, 9, 14));

    const QList<CalendarEntry> entries = gui.controller().calendarCommands.schoolEntries();
    EXPECT_EQ(entries.size(), 5);
    EXPECT_TRUE(gui.rig.readFile(QStringLiteral("takvim.ics")).contains("CATEGORIES:TATIL"));
    EXPECT_FALSE(gui.controller().calendarCommands.decide(QDate(2026, 11, 16)).bells);
    EXPECT_TRUE(gui.controller().calendarCommands.decide(QDate(2026, 11, 17)).bells);
    QCoreApplication::processEvents();
    EXPECT_TRUE(gui.find<QLabel>(QStringLiteral("calendarNote"))->text().startsWith(QStringLiteral("Bugün tatil")))
        << gui.find<QLabel>(QStringLiteral("calendarNote"))->text().toStdString();
    EXPECT_TRUE(gui.rig.dialogs.told.empty());
}

// The day types' dialog opens on a stored day type without a question; hours generated over it are
// not given up unasked, and once saved they are what the day type rings.
TEST(MainWindow, DayTypeDialogKeepsGeneratedHoursUntilSavedOrGivenUp)
{
    GuiRig gui;
    gui.start();
    CalendarCommands& calendar = gui.controller().calendarCommands;
    DayTypeRecipe exams;
    exams.firstLesson = QTime(9, 0);
    exams.lessons = 4;
    ASSERT_EQ(calendar.saveDayType(QStringLiteral("Sınav günü"), *generateDayType(exams).slots), QString());
    DayTypeDialog dialog(calendar, gui.rig.dialogs);
    dialog.show();
    EXPECT_TRUE(gui.rig.dialogs.asked.isEmpty());

    dialog.findChild<QAbstractButton*>(QStringLiteral("dayTypeGenerate"))->click();
    gui.rig.dialogs.answers = {false};
    dialog.reject();
    EXPECT_TRUE(dialog.isVisible()); // "no": the generated hours stay to be saved
    dialog.findChild<QAbstractButton*>(QStringLiteral("dayTypeSave"))->click();
    EXPECT_EQ(calendar.readDayType(QStringLiteral("Sınav günü")), generateDayType({}).slots);
    dialog.reject();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(gui.rig.dialogs.asked.size(), 1);
    EXPECT_EQ(gui.rig.dialogs.unexpected, 0);
}
