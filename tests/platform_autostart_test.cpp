#include "platform/RunKeyAutostart.h"
#include "platform/SystemAutostart.h"
#include "platform/XdgAutostart.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
// Other: an entry, shown, that starts another copy (a build tree) on its own folder.
enum class Entry { None, Hidden, Shown, Other };

void writeEntry(const QString& configDir, Entry entry)
{
    if (entry == Entry::None)
        return;
    QDir().mkpath(configDir + QStringLiteral("/autostart"));
    QFile f(configDir + QStringLiteral("/autostart/vezozil.desktop"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Desktop Entry]\nType=Application\nName=Vezo Zil\n");
    f.write(entry == Entry::Other ? "Exec=/home/okul/build/vezozil --dir /home/okul/build\n"
                                  : "Exec=/usr/libexec/vezozil/vezozil-autostart\n");
    if (entry == Entry::Hidden)
        f.write("Hidden=true\n");
}

// A user's config folder and the installed one, both in a temporary folder.
struct Session
{
    explicit Session(Entry installed, Entry own)
    {
        writeEntry(system(), installed);
        writeEntry(user(), own);
    }
    QString user() const { return root.filePath(QStringLiteral("home/.config")); }
    QString system() const { return root.filePath(QStringLiteral("etc/xdg")); }
    XdgAutostart autostart(const QStringList& command = {
                               QStringLiteral("/usr/libexec/vezozil/vezozil-autostart")}) const
    {
        return XdgAutostart(user(), {root.filePath(QStringLiteral("missing")), system()}, command);
    }
    QTemporaryDir root;
};
} // namespace

// The user's own entry wins over the installed one; the installed one is hidden, so off by default.
// An entry that starts another copy is not this program's: off, and it says what it starts.
TEST(XdgAutostart, UserEntryWinsAndSwitchingLeavesNothingNeedless)
{
    struct Case
    {
        Entry installed, own;
        bool enabled;
        bool startsAnother = false;
    };
    const Case cases[] = {
        {Entry::None, Entry::None, false},        {Entry::Hidden, Entry::None, false},
        {Entry::Shown, Entry::None, true},        {Entry::Hidden, Entry::Shown, true},
        {Entry::Shown, Entry::Hidden, false},     {Entry::None, Entry::Shown, true},
        {Entry::None, Entry::Hidden, false},      {Entry::None, Entry::Other, false, true},
        {Entry::Other, Entry::None, false, true}, {Entry::Other, Entry::Shown, true},
    };
    for (const Case& c : cases) {
        const auto where = testing::Message() << "installed " << int(c.installed) << ", own " << int(c.own);
        Session session(c.installed, c.own);
        XdgAutostart a = session.autostart();
        EXPECT_EQ(a.isEnabled(), c.enabled) << where;
        EXPECT_EQ(a.otherCommand(), c.startsAnother
                                        ? QStringLiteral("/home/okul/build/vezozil --dir /home/okul/build")
                                        : QString())
            << where;

        ASSERT_TRUE(a.setEnabled(true)) << where;
        EXPECT_TRUE(a.isEnabled()) << where;
        ASSERT_TRUE(a.setEnabled(false)) << where;
        EXPECT_FALSE(a.isEnabled()) << where;
        // Off where nothing installed turns it on leaves no file of ours in the user's folder.
        EXPECT_EQ(QFileInfo::exists(a.userEntryPath()),
                  c.installed == Entry::Shown || c.installed == Entry::Other)
            << where;
    }
}

TEST(XdgAutostart, UnwritableFolderFailsAndKeepsTheSetting)
{
    Session session(Entry::Hidden, Entry::None);
    // A file where the autostart folder belongs: nothing can be written under it, even as root.
    QDir().mkpath(session.user());
    QFile blocker(session.user() + QStringLiteral("/autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    XdgAutostart a = session.autostart();
    EXPECT_FALSE(a.setEnabled(true));
    EXPECT_FALSE(a.isEnabled());
}

// Every path comes back from the session's parsing as it went in, and the entry is a valid one.
TEST(XdgAutostart, ExecLineQuotesWhatTheSessionWouldSplit)
{
    struct Case
    {
        QStringList command;
        QString exec;
    };
    const Case cases[] = {
        {{"/usr/libexec/vezozil/vezozil-autostart"}, "/usr/libexec/vezozil/vezozil-autostart"},
        {{"/opt/Vezo Zil/vezozil", "--dir", "/home/öğretmen/Okul Zili"},
         "\"/opt/Vezo Zil/vezozil\" --dir \"/home/öğretmen/Okul Zili\""},
        {{"/srv/zil/vezozil", "--dir", "/srv/%100 \"zil\" $HOME `x`"},
         "/srv/zil/vezozil --dir \"/srv/%%100 \\\\\"zil\\\\\" \\\\$HOME \\\\`x\\\\`\""},
        {{"/srv/zil/vezozil", "--dir", "C:\\Okul"}, "/srv/zil/vezozil --dir \"C:\\\\\\\\Okul\""},
        {{"/srv/zil/vezozil", "--dir", ""}, "/srv/zil/vezozil --dir \"\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(XdgAutostart::execLine(c.command), c.exec);
        EXPECT_EQ(XdgAutostart::splitExec(c.exec), c.command);
        Session session(Entry::None, Entry::None);
        XdgAutostart a = session.autostart(c.command);
        ASSERT_TRUE(a.setEnabled(true));
        EXPECT_TRUE(a.isEnabled());
        // TryExec is a path, not a command line: quoted, it names no file, and the session starts nothing.
        QFile entry(a.userEntryPath());
        ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
        EXPECT_TRUE(entry.readAll().contains("\nTryExec=" + c.command.first().toUtf8() + "\n"));
        QProcess validate;
        validate.start(QStringLiteral("desktop-file-validate"), {a.userEntryPath()});
        ASSERT_TRUE(validate.waitForFinished(30000)) << "desktop-file-validate is missing";
        const QString said = QString::fromUtf8(validate.readAllStandardOutput());
        EXPECT_EQ(validate.exitCode(), 0) << said.toStdString();
        EXPECT_FALSE(said.contains(QLatin1String("error"))) << said.toStdString();
    }
}

TEST(RunKeyAutostart, CommandLineSplitsBackAsWritten)
{
    struct Case
    {
        QStringList command;
        QString line;
    };
    const Case cases[] = {
        {{"C:\\Program Files\\Vezo Zil\\vezozil.exe"}, "\"C:\\Program Files\\Vezo Zil\\vezozil.exe\""},
        {{"C:\\Zil\\vezozil.exe", "--dir", "D:\\Okul"}, "\"C:\\Zil\\vezozil.exe\" --dir D:\\Okul"},
        {{"C:\\Zil\\vezozil.exe", "--dir", "D:\\Okul Zili\\"},
         "\"C:\\Zil\\vezozil.exe\" --dir \"D:\\Okul Zili\\\\\""},
        {{"C:\\Zil\\vezozil.exe", "--dir", "D:\\a \\\"b"},
         "\"C:\\Zil\\vezozil.exe\" --dir \"D:\\a \\\\\\\"b\""},
        {{"C:\\Zil\\vezozil.exe", ""}, "\"C:\\Zil\\vezozil.exe\" \"\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RunKeyAutostart::commandLine(c.command), c.line);
}

TEST(RunKeyAutostart, ValueComesAndGoesAndAFailedWriteChangesNothing)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("run.ini"));
    const QStringList command{QStringLiteral("C:\\Zil\\vezozil.exe"), QStringLiteral("--dir"),
                              QStringLiteral("D:\\Okul Zili")};
    RunKeyAutostart a(std::make_unique<QSettings>(ini, QSettings::IniFormat), command);
    EXPECT_FALSE(a.isEnabled());
    ASSERT_TRUE(a.setEnabled(true));
    EXPECT_EQ(QSettings(ini, QSettings::IniFormat).value(RunKeyAutostart::ValueName).toString(),
              RunKeyAutostart::commandLine(command));
    ASSERT_TRUE(a.setEnabled(false));
    EXPECT_FALSE(QSettings(ini, QSettings::IniFormat).contains(RunKeyAutostart::ValueName));
    // A value that starts another copy is not this program's.
    QSettings(ini, QSettings::IniFormat)
        .setValue(RunKeyAutostart::ValueName, QStringLiteral("\"D:\\Eski\\vezozil.exe\""));
    EXPECT_FALSE(a.isEnabled());
    EXPECT_EQ(a.otherCommand(), QStringLiteral("\"D:\\Eski\\vezozil.exe\""));

    // A key that cannot be written: a folder stands where the file belongs.
    const QString blocked = dir.filePath(QStringLiteral("blocked.ini"));
    QDir().mkpath(blocked);
    RunKeyAutostart b(std::make_unique<QSettings>(blocked, QSettings::IniFormat), command);
    EXPECT_FALSE(b.setEnabled(true));
    EXPECT_FALSE(b.isEnabled());
}

// The installed program on its own folder hands over to the launcher; every other copy restarts itself
// on the folder it runs on.
TEST(AutostartCommand, LauncherOnlyForTheInstalledProgramOnItsOwnFolder)
{
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("usr/bin/vezozil"));
    const QString launcher = root.filePath(QStringLiteral("usr/libexec/vezozil/vezozil-autostart"));
    const QString other = root.filePath(QStringLiteral("okul/vezozil"));
    for (const QString& file : {bin, launcher, other}) {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.setPermissions(f.permissions() | QFile::ExeOwner);
    }
    const InstalledPlaces installed{bin, launcher};
    const InstalledPlaces noLauncher{bin, root.filePath(QStringLiteral("missing"))};
    const QString folder = root.filePath(QStringLiteral("okul"));
    struct Case
    {
        QString exe;
        bool folderGiven;
        InstalledPlaces places;
        QStringList command;
    };
    const Case cases[] = {
        {bin, false, installed, {launcher}},
        {bin, true, installed, {bin, "--dir", folder}},
        {other, false, installed, {other, "--dir", folder}},
        {bin, false, noLauncher, {bin, "--dir", folder}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(autostartCommand(c.exe, folder, c.folderGiven, c.places), c.command) << c.exe.toStdString();
}
