#include "platform/ProgramFolderChoice.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// An executable's folder, a per-user data folder and installed defaults, all under one temp dir.
struct Places
{
    Places()
    {
        QDir(root.path()).mkpath(QStringLiteral("bin"));
        writeFile(defaults() + QStringLiteral("/saatler/Pazartesi.txt"), "\"08:40\"\r\n");
        writeFile(defaults() + QStringLiteral("/melodiler/1.wav"), "RIFF");
        writeFile(defaults() + QStringLiteral("/melodi.txt"), "1\r\n");
    }
    QString exeDir() const { return root.filePath(QStringLiteral("bin")); }
    QString userDir() const { return root.filePath(QStringLiteral("home/.local/share/vezozil")); }
    QString defaults() const { return root.filePath(QStringLiteral("share/vezozil")); }
    ProgramFolderPlaces places() const
    {
        return {userDir(), {root.filePath(QStringLiteral("missing")), defaults()}};
    }
    QTemporaryDir root;
};
} // namespace

TEST(ProgramFolderChoice, DirOptionWins)
{
    Places p;
    QDir(p.exeDir()).mkpath(QStringLiteral("saatler"));
    const QString given = p.root.filePath(QStringLiteral("okul"));
    EXPECT_EQ(chooseProgramFolder({QStringLiteral("vezozil"), QStringLiteral("--dir"), given}, p.exeDir(),
                                  p.places()),
              given);
    EXPECT_EQ(chooseProgramFolder({QStringLiteral("vezozil"), QStringLiteral("--dir=") + given}, p.exeDir(),
                                  p.places()),
              given);
    EXPECT_FALSE(QDir(p.userDir()).exists()) << "nothing is seeded when a folder is given";
}

TEST(ProgramFolderChoice, GivenFolderWithoutTimetablesIsSeededAndNothingIsOverwritten)
{
    const struct
    {
        const char* name;
        bool exists;
        QByteArray ownDay; // the folder's own Pazartesi.txt; null: none
        QByteArray day;    // Pazartesi.txt afterwards; "<missing>" when nothing is made
    } cases[] = {
        {"empty folder", true, QByteArray(), "\"08:40\"\r\n"},
        {"school's own timetable", true, "\"09:00\"\r\n", "\"09:00\"\r\n"},
        {"folder that does not exist", false, QByteArray(), "<missing>"},
    };
    for (const auto& c : cases) {
        Places p;
        const QString given = p.root.filePath(QStringLiteral("okul"));
        if (c.exists)
            QDir().mkpath(given);
        if (!c.ownDay.isNull())
            writeFile(given + QStringLiteral("/saatler/Pazartesi.txt"), c.ownDay);
        EXPECT_EQ(chooseProgramFolder({QStringLiteral("--dir"), given}, p.exeDir(), p.places()), given)
            << c.name;
        EXPECT_EQ(readFile(given + QStringLiteral("/saatler/Pazartesi.txt")), c.day) << c.name;
        EXPECT_EQ(QFileInfo::exists(given + QStringLiteral("/melodi.txt")), c.exists && c.ownDay.isNull())
            << c.name << ": a folder that holds a timetable is the school's, taken as it is";
        EXPECT_FALSE(QDir(p.userDir()).exists()) << c.name;
    }
}

TEST(ProgramFolderChoice, DirOptionValueIsRead)
{
    struct Case
    {
        QStringList arguments;
        QString value;
    };
    const std::vector<Case> cases{
        {{"vezozil", "--dir", "/okul"}, "/okul"},
        {{"vezozil", "--dir=/okul zili"}, "/okul zili"},
        {{"vezozil", "--simulate", "a", "b", "--dir", "/okul"}, "/okul"},
        {{"vezozil"}, QString()},
        {{"vezozil", "--dir"}, QString()},
        {{"vezozil", "--dir", ""}, QString()},
        {{"vezozil", "--dir", "--simulate"}, QString()},
        {{"vezozil", "--dir="}, QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(programFolderArgument(c.arguments), c.value) << c.arguments.join(' ').toStdString();
}

TEST(ProgramFolderChoice, RelativeDirIsTakenFromTheWorkingFolder)
{
    Places p;
    const QString chosen =
        chooseProgramFolder({QStringLiteral("--dir"), QStringLiteral("okul")}, p.exeDir(), p.places());
    EXPECT_EQ(chosen, QDir::current().absoluteFilePath(QStringLiteral("okul")));
}

TEST(ProgramFolderChoice, PortableInstallUsesTheExecutablesFolder)
{
    Places p;
    QDir(p.exeDir()).mkpath(QStringLiteral("SAATLER")); // letter case does not matter
    EXPECT_EQ(chooseProgramFolder({QStringLiteral("vezozil")}, p.exeDir(), p.places()), p.exeDir());
    EXPECT_FALSE(QDir(p.userDir()).exists());
}

TEST(ProgramFolderChoice, InstalledProgramSeedsTheUsersFolder)
{
    Places p;
    EXPECT_EQ(chooseProgramFolder({QStringLiteral("vezozil")}, p.exeDir(), p.places()), p.userDir());
    EXPECT_EQ(readFile(p.userDir() + QStringLiteral("/saatler/Pazartesi.txt")), QByteArray("\"08:40\"\r\n"));
    EXPECT_EQ(readFile(p.userDir() + QStringLiteral("/melodiler/1.wav")), QByteArray("RIFF"));
    EXPECT_TRUE(QFileInfo(p.userDir() + QStringLiteral("/melodi.txt")).isWritable());
    EXPECT_FALSE(QFile::exists(p.userDir() + QStringLiteral("/melodi.txt.part")));
}

TEST(ProgramFolderChoice, SeedingNeverOverwritesTheSchoolsFiles)
{
    Places p;
    writeFile(p.userDir() + QStringLiteral("/saatler/Pazartesi.txt"), "\"09:00\"\r\n");
    writeFile(p.userDir() + QStringLiteral("/Melodi.txt"), "5\r\n"); // the same file by another spelling
    chooseProgramFolder({}, p.exeDir(), p.places());
    EXPECT_EQ(readFile(p.userDir() + QStringLiteral("/saatler/Pazartesi.txt")), QByteArray("\"09:00\"\r\n"));
    EXPECT_EQ(readFile(p.userDir() + QStringLiteral("/Melodi.txt")), QByteArray("5\r\n"));
    const QStringList names = QDir(p.userDir()).entryList(QDir::Files);
    EXPECT_EQ(names.filter(QRegularExpression(QStringLiteral("^melodi\\.txt$"),
                                              QRegularExpression::CaseInsensitiveOption)),
              QStringList{QStringLiteral("Melodi.txt")});
    // What was missing arrives.
    EXPECT_EQ(readFile(p.userDir() + QStringLiteral("/melodiler/1.wav")), QByteArray("RIFF"));
}

TEST(ProgramFolderChoice, SeedingFillsInWhatALaterInstallAdds)
{
    Places p;
    chooseProgramFolder({}, p.exeDir(), p.places());
    writeFile(p.defaults() + QStringLiteral("/melodiler/anons1.wav"), "RIFF2");
    EXPECT_EQ(seedProgramFolder(p.userDir(), p.defaults()), 1);
    EXPECT_EQ(readFile(p.userDir() + QStringLiteral("/melodiler/anons1.wav")), QByteArray("RIFF2"));
    EXPECT_EQ(seedProgramFolder(p.userDir(), p.defaults()), 0);
}

TEST(ProgramFolderChoice, WithoutDefaultsTheUsersFolderStillServes)
{
    Places p;
    const ProgramFolderPlaces none{p.userDir(), {p.root.filePath(QStringLiteral("nowhere"))}};
    EXPECT_EQ(chooseProgramFolder({}, p.exeDir(), none), p.userDir());
    EXPECT_TRUE(QDir(p.userDir()).exists());
}

TEST(ProgramFolderChoice, SystemPlacesUseTheUsersDataFolderAndTheInstall)
{
    QStandardPaths::setTestModeEnabled(true);
    const ProgramFolderPlaces places = systemProgramFolderPlaces(QStringLiteral("/opt/vezozil/bin"));
    QStandardPaths::setTestModeEnabled(false);
#ifdef Q_OS_WIN
    EXPECT_TRUE(places.userDataDir.endsWith(QStringLiteral("/AppData/Roaming/Vezo Zil"))) << qPrintable(places.userDataDir);
    EXPECT_EQ(places.defaultsDirs, QStringList{QStringLiteral("/opt/vezozil/bin/varsayilan")});
#else
    EXPECT_TRUE(places.userDataDir.endsWith(QStringLiteral("/vezozil")));
    ASSERT_EQ(places.defaultsDirs.size(), 2);
    EXPECT_EQ(places.defaultsDirs[0], QStringLiteral(VEZOZIL_DEFAULTS_DIR));
    EXPECT_EQ(places.defaultsDirs[1], QStringLiteral("/opt/vezozil/share/vezozil"));
#endif
}
