#include "fakes/FakeAutostart.h"
#include "support/GuiRig.h"
#include "support/ScreenGrab.h"

#include "app/CalendarWindow.h"
#include "app/SchoolYearView.h"
#include "app/TrayShell.h"
#include "app/UiScale.h"

#include <QDir>
#include <QFileInfo>
#include <QScreen>

// Renders the main window as the operator sees it on a school's PC, at the size it takes on that
// screen, and saves it where VEZOZIL_SCREENSHOT points; skipped otherwise. scripts/screenshots makes
// the pictures in docs/ with it. VEZOZIL_SCREENSHOT_MODE=program shows the break-program controls
// instead of the music list.
TEST(MainWindowScreenshot, SavesTheWindowAsPng)
{
    const QString path = qEnvironmentVariable("VEZOZIL_SCREENSHOT");
    if (path.isEmpty())
        GTEST_SKIP() << "set VEZOZIL_SCREENSHOT to a .png path to render the window";

    GuiRig gui(QDateTime(QDate(2026, 12, 8), QTime(10, 24, 37)), UiScale::forPrimaryScreen());
    const char* const day[24] = {"08:40", "08:50", "09:30", "09:38", "09:40", "10:20", "10:38", "10:40",
                                 "11:20", "11:28", "11:30", "12:10", "13:27", "13:30", "14:10", "14:28",
                                 "14:30", "15:10", "15:28", "15:30", "16:35", "16:43", "16:45", "17:25"};
    QHash<int, QString> slots;
    for (int i = 0; i < 24; ++i)
        slots.insert(i, QString::fromLatin1(day[i]));
    slots.insert(Slots::Assembly1, QStringLiteral("08:25"));
    slots.insert(Slots::Assembly2, QStringLiteral("08:30"));
    gui.rig.writeDay(QStringLiteral("Salı"), slots);
    gui.rig.writeFile(QStringLiteral("port.txt"), "1\r\n"); // a relay that answers: no warning shown
    FakeAutostart autostart;
    gui.window.setAutostart(&autostart);
    MainModel& m = gui.rig.model;
    ASSERT_TRUE(gui.rig.load());
    m.check33 = qEnvironmentVariable("VEZOZIL_SCREENSHOT_MODE") != QStringLiteral("program");
    gui.controller().program.gecisyap();
    m.text1 = QStringLiteral("10:20");
    m.check1 = m.check5 = true;
    m.lessonMusic[1] = m.lessonMusic[3] = m.lessonMusic[5] = true;
    m.box(MelodyBox::Student) = {2, QStringLiteral("Melodi 3")};
    m.box(MelodyBox::Teacher) = {4, QStringLiteral("Melodi 5")};
    m.box(MelodyBox::Exit) = {0, QStringLiteral("Melodi 1")};
    m.musicList = {QStringLiteral("C:\\Müzik\\Klasik\\Vivaldi - Dört Mevsim, İlkbahar.mp3"),
                   QStringLiteral("C:\\Müzik\\Türkü\\Çanakkale içinde.mp3"),
                   QStringLiteral("C:\\Müzik\\Enstrümantal\\Üsküdar'a gider iken.mp3")};
    gui.window.show();
    TrayShell tray; // the notification-area icon beside the window, as "Tepsiye Küçült" adds it
    if (!qEnvironmentVariableIsEmpty("VEZOZIL_SCREENSHOT_TRAY")) {
        tray.attach(&gui.window, &gui.controller());
        tray.addTrayIcon();
    }
    QCoreApplication::processEvents();
    gui.rig.tick();
    QCoreApplication::processEvents();

    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(saveScreenshot(gui.window, path));
    std::printf("window %dx%d on a screen of %dx%d\n", gui.window.width(), gui.window.height(),
                gui.window.screen()->size().width(), gui.window.screen()->size().height());
}

// The calendar window for the documentation, into the file VEZOZIL_SCREENSHOT_CALENDAR names: a school
// year entered as a school enters it, through the window's commands, on the shipped national calendar,
// with 28 Ekim, a half day, chosen.
TEST(CalendarWindowScreenshot, SavesTheWindowAsPng)
{
    const QString path = qEnvironmentVariable("VEZOZIL_SCREENSHOT_CALENDAR");
    if (path.isEmpty())
        GTEST_SKIP() << "set VEZOZIL_SCREENSHOT_CALENDAR to a .png path to render the window";
    GuiRig gui(QDateTime(QDate(2026, 10, 28), QTime(10, 24, 37)), UiScale::forPrimaryScreen());
    gui.controller().nationalCalendarPath =
        qEnvironmentVariable("VEZOZIL_SOURCE_DIR") + QStringLiteral("/src/calendar/resmi-tatiller.ics");
    ASSERT_TRUE(gui.rig.load());
    CalendarCommands& calendar = gui.controller().calendarCommands;
    ASSERT_EQ(calendar.setSchoolYear(SchoolYearDates::typical(2026)), QString());
    DayTypeRecipe exams;
    exams.firstLesson = QTime(9, 0);
    exams.lessons = 4;
    ASSERT_EQ(calendar.saveDayType(QStringLiteral("Sınav günü"), *generateDayType(exams).slots), QString());
    CalendarEntry examWeek = CalendarEntry::allDayEntry(EntryKind::DayType, QStringLiteral("Dönem sonu sınavları"),
                                                        QDate(2027, 1, 4), QDate(2027, 1, 8));
    examWeek.dayType = QStringLiteral("Sınav günü");
    CalendarEntry makeUp = CalendarEntry::allDayEntry(EntryKind::SchoolDay, QStringLiteral("Telafi günü"),
                                                      QDate(2026, 12, 19), QDate(2026, 12, 19));
    CalendarEntry graduation = CalendarEntry::timedEntry(
        EntryKind::Ceremony, QStringLiteral("Karne töreni"), QDateTime(QDate(2027, 6, 18), QTime(10, 0)), {});
    graduation.sound = QStringLiteral("istiklal");
    ASSERT_EQ(calendar.putEntries({examWeek, makeUp, graduation}), QString());

    gui.window.openCalendar();
    CalendarWindow* window = gui.window.calendarWindow();
    ASSERT_NE(window, nullptr);
    window->yearView()->select(QDate(2026, 10, 28));
    QCoreApplication::processEvents();
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(saveScreenshot(*window, path));
    std::printf("calendar window %dx%d\n", window->width(), window->height());
}
