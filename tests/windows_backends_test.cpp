// The Windows backends through their seams, under Wine: the desktop's system tools, the named mutex,
// the Run key and the command line it holds, inpout32, and the calendar library's static build.
#include "fakes/FakeProcessControl.h"
#include "platform/ProcessStart.h"
#include "platform/RunKeyAutostart.h"
#include "platform/WindowsDesktop.h"
#include "platform/WindowsInstanceGuard.h"
#include "platform/WindowsProcessControl.h"
#include "relay/WindowsRelayPort.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <libical/ical.h>
#include <qt_windows.h>

TEST(WindowsDesktop, RunsTheSystemsOwnToolsWithTheImageNameAsOneArgument)
{
    FakeProcessControl control;
    WindowsDesktop desktop(control);
    desktop.killProcesses(QString()); // no program chosen: nothing is started
    desktop.killProcesses(QStringLiteral("Müzik Çalar.exe"));
    desktop.shutdown();
    ASSERT_EQ(control.starts.size(), 2u);
    const QString system32 = QStringLiteral("C:\\Windows\\system32\\");
    EXPECT_EQ(control.starts[0].program, system32 + "taskkill.exe");
    EXPECT_EQ(control.starts[0].arguments, (QStringList{"/F", "/IM", "Müzik Çalar.exe"}));
    EXPECT_EQ(control.starts[1].program, system32 + "shutdown.exe");
    EXPECT_EQ(control.starts[1].arguments, QStringList{"-s"});
    const QDir system(WindowsProcessControl().systemDirectory()); // the real one holds both tools
    EXPECT_TRUE(system.exists(QStringLiteral("taskkill.exe")) && system.exists(QStringLiteral("shutdown.exe")));
}

TEST(WindowsInstanceGuard, EverySpellingOfOneFolderIsOneCopy)
{
    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("Okul ĞİŞ"));
    QDir(root.path()).mkpath(QStringLiteral("Başka"));
    const QString folder = root.filePath(QStringLiteral("Okul ĞİŞ"));
    WindowsInstanceGuard first(folder);
    ASSERT_FALSE(first.anotherCopyRunning());
    const QString spellings[] = {folder, folder.toUpper(), QDir::toNativeSeparators(folder) + "\\",
                                 root.filePath(QStringLiteral("Başka/../Okul ĞİŞ"))};
    for (const QString& s : spellings)
        EXPECT_TRUE(WindowsInstanceGuard(s).anotherCopyRunning()) << qPrintable(s);
    EXPECT_FALSE(WindowsInstanceGuard(root.filePath(QStringLiteral("Başka"))).anotherCopyRunning());
}

TEST(RunKeyAutostart, TheRegistryValueStartsTheSameCommandAgain)
{
    // A key of the tests' own: the user's real Run key is never touched.
    const QString key = QStringLiteral("HKEY_CURRENT_USER\\Software\\VezoZilTests\\Run");
    const QStringList commands[] = {
        {"C:\\Program Files\\Vezo Zil\\vezozil.exe", "--dir", "C:\\Users\\Öğretmen\\AppData\\Roaming\\Vezo Zil"},
        {"D:\\zil\\vezozil.exe", "--dir", "D:\\zil\\"},
        {"D:\\zil\\vezozil.exe", "--dir", "D:\\okul \"A\" blok\\"},
    };
    for (const QStringList& command : commands) {
        RunKeyAutostart autostart(std::make_unique<QSettings>(key, QSettings::NativeFormat), command);
        ASSERT_TRUE(autostart.setEnabled(true));
        const QString value = QSettings(key, QSettings::NativeFormat).value(RunKeyAutostart::ValueName).toString();
        EXPECT_EQ(splitCommandLine(value), command) << qPrintable(value);
        ASSERT_TRUE(autostart.setEnabled(false));
        EXPECT_FALSE(QSettings(key, QSettings::NativeFormat).contains(RunKeyAutostart::ValueName));
    }
    QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software"), QSettings::NativeFormat).remove("VezoZilTests");
}

namespace {
QList<QPair<int, int>> inpoutWrites()
{
    using Writes = int (*)(const short (**)[2]);
    const auto writes = reinterpret_cast<Writes>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"inpoutx64.dll"), "FakeInpoutWrites")));
    QList<QPair<int, int>> list;
    const short(*table)[2] = nullptr;
    for (int i = 0, n = writes ? writes(&table) : 0; i < n; ++i)
        list << qMakePair(int(quint16(table[i][0])), int(table[i][1]));
    return list;
}
} // namespace

TEST(WindowsRelayPort, LoadsInpoutBesideTheProgramAndWritesTheLowByte)
{
    qputenv("VEZOZIL_FAKE_INPOUT_CLOSED", "1");
    WindowsRelayPort closed;
    EXPECT_FALSE(closed.Out32(0x378, 1)); // the driver needs an administrator once
    EXPECT_FALSE(closed.problem().isEmpty());
    qunsetenv("VEZOZIL_FAKE_INPOUT_CLOSED");

    WindowsRelayPort port;
    EXPECT_FALSE(port.Out32(0, 1)); // no port chosen: nothing written anywhere
    EXPECT_TRUE(port.Out32(0x378, 1));
    EXPECT_TRUE(port.Out32(0x278, 0x1FF));
    EXPECT_TRUE(port.problem().isEmpty()) << qPrintable(port.problem());
    EXPECT_EQ(inpoutWrites(), (QList<QPair<int, int>>{{0x378, 1}, {0x278, 0xFF}}));
}

// The school calendar's library links statically and expands a weekly rule.
TEST(Libical, StaticLibraryExpandsAWeeklyRule)
{
    icalcomponent* event = icalparser_parse_string(
        "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20270104\r\nRRULE:FREQ=WEEKLY;COUNT=3\r\nEND:VEVENT\r\n");
    ASSERT_NE(event, nullptr);
    icalrecur_iterator* it = icalrecur_iterator_new(
        icalproperty_get_rrule(icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY)),
        icalcomponent_get_dtstart(event));
    QStringList days;
    for (icaltimetype t; !icaltime_is_null_time(t = icalrecur_iterator_next(it));)
        days << QString::fromLatin1(icaltime_as_ical_string(t));
    icalrecur_iterator_free(it);
    icalcomponent_free(event);
    EXPECT_EQ(days, (QStringList{"20270104", "20270111", "20270118"}));
}
