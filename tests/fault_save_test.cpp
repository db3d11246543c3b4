// The main window's "Kaydet" buttons when the disk is full or a write stops half-way: every stored
// file keeps its old bytes, no half-written file is left behind, and the operator is told which
// files were not saved.
#include "fakes/ControllerRig.h"
#include "support/FullDisk.h"
#include "support/TempFolder.h"
#include "support/TestSupport.h"

#include "schedule/TextFile.h"

#include <QDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QByteArray OldUygulama = "\"/opt/radyo/liste.m3u\"\r\n\"radyo\"\r\n1\r\n";
const QByteArray OldMuzikler = "\"/muzik/a.mp3\"\r\n\"/muzik/b.mp3\"\r\n";
const QByteArray OldKapat = "\"17:00\"\r\n\"18:00\"\r\n";

QByteArray oldMelodi()
{
    QByteArray bytes = "0\r\n1\r\n2\r\n1\r\n0\r\n0\r\n0\r\n1\r\n80\r\n";
    for (int line = 10; line <= 27; ++line)
        bytes += line == 24 ? "3\r\n" : "1\r\n";
    return bytes;
}

QString notSaved(const QString& files)
{
    return QStringLiteral("Ayarlar kaydedilemedi: %1. Program klasörüne yazma izni olmayabilir ya da disk "
                          "dolu olabilir.")
        .arg(files);
}

// A started controller on a program folder that holds every settings file, with the operator's
// changes made but not yet saved.
struct Edited : ControllerRig
{
    Edited()
    {
        writeFile(QStringLiteral("uygulama.txt"), OldUygulama);
        writeFile(QStringLiteral("melodi.txt"), oldMelodi());
        writeFile(QStringLiteral("muzikler.txt"), OldMuzikler);
        writeFile(QStringLiteral("kapat.txt"), OldKapat);
        writeFile(QStringLiteral("port.txt"), "1\r\n");
        EXPECT_TRUE(load());
        Controller& c = *controller;
        c.s.breakProgramPath = QStringLiteral("/opt/yeni/radyo");
        model.box(MelodyBox::Student).position = 5;
        model.check1 = false;
        model.musicList << QStringLiteral("/muzik/c.mp3");
        model.text26 = QStringLiteral("16:30");
        before = stored();
    }

    // Each file of the folder by its name in lower case (the program reads names so), with its bytes.
    QHash<QString, QByteArray> stored() const
    {
        QHash<QString, QByteArray> files;
        const QStringList names = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        for (const QString& name : names)
            files.insert(name.toLower(), readFile(name));
        return files;
    }
    QStringList storedNames() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QHash<QString, QByteArray> before;
};

TEST(SaveFault, FullDiskKeepsEverySettingsFileAndTellsWhichWereNotSaved)
{
    Edited rig;
    {
        FullDisk full;
        ASSERT_TRUE(full.active());
        rig.controller->commands.Command14_Click();
        rig.controller->commands.Command19_Click();
    }
    EXPECT_EQ(rig.stored(), rig.before); // byte for byte, and no temporary file left behind
    EXPECT_EQ(rig.storedNames().size(), rig.before.size());
    ASSERT_EQ(rig.dialogs.told.size(), 2u);
    EXPECT_EQ(rig.dialogs.told[0].first, notSaved(QStringLiteral("uygulama.txt, Melodi.txt, muzikler.txt")));
    EXPECT_EQ(rig.dialogs.told[1].first, notSaved(QStringLiteral("kapat.txt")));
    EXPECT_EQ(rig.dialogs.told[1].second, Texts::WarningTitle);
    EXPECT_EQ(rig.model.text26, QStringLiteral("16:30")); // the typed time stays in force
}

TEST(SaveFault, SaveAfterTheDiskHasRoomAgainStoresWhatTheOperatorSet)
{
    Edited rig;
    {
        FullDisk full;
        rig.controller->commands.Command14_Click();
        rig.controller->commands.Command19_Click();
    }
    rig.controller->commands.Command14_Click();
    rig.controller->commands.Command19_Click();
    EXPECT_EQ(rig.dialogs.told.size(), 2u); // only the two from the full disk

    ControllerRig next;
    for (const QString& name : rig.storedNames())
        next.writeFile(name, rig.readFile(name));
    ASSERT_TRUE(next.load());
    EXPECT_EQ(next.controller->s.breakProgramPath, QStringLiteral("/opt/yeni/radyo"));
    EXPECT_EQ(next.model.box(MelodyBox::Student).position, 5);
    EXPECT_FALSE(next.model.check1);
    EXPECT_EQ(next.model.musicList.size(), 3);
    EXPECT_EQ(next.model.text26, QStringLiteral("16:30"));
    EXPECT_EQ(rig.storedNames().filter(QStringLiteral("elodi.txt"), Qt::CaseInsensitive),
              QStringList({"Melodi.txt"})); // one spelling remains
}

TEST(SaveFault, WriteThatRunsOutOfRoomFailsAndKeepsTheOldFile)
{
    const QStringList lines(40, QStringLiteral("\"08:40\""));
    const qsizetype size = 40 * 9;
    for (const rlim_t room : {rlim_t(0), rlim_t(9), rlim_t(size / 2), rlim_t(size - 1)}) {
        TempFolder t;
        t.write(QStringLiteral("saatler/Pazartesi.txt"), OldKapat);
        bool written = true;
        {
            FullDisk full(room);
            ASSERT_TRUE(full.active());
            written = TextFile::writeLines(t.folder.path(QStringLiteral("saatler/Pazartesi.txt")), lines);
        }
        EXPECT_FALSE(written) << room;
        EXPECT_EQ(t.read(QStringLiteral("saatler/Pazartesi.txt")), OldKapat) << room;
        EXPECT_EQ(t.entries(QStringLiteral("saatler")), QStringList({"Pazartesi.txt"})) << room;
    }
}

struct InterruptCase
{
    const char* name;
    bool withProgram; // uygulama.txt is only saved with a program chosen
    void (OperatorCommands::*command)();
    QString interrupted; // the file whose write stops half-way, in lower case
    QStringList saved;   // the files written anew, in lower case
    QString told;
};

void PrintTo(const InterruptCase& c, std::ostream* os)
{
    *os << c.name;
}

class InterruptedSave : public testing::TestWithParam<InterruptCase>
{
};

TEST_P(InterruptedSave, KeepsTheOldFileWholeAndTellsTheOperator)
{
    const InterruptCase& c = GetParam();
    Edited rig;
    if (!c.withProgram)
        rig.controller->s.breakProgramPath.clear();
    TextFile::interruptNextWrite();
    (rig.controller->commands.*c.command)();

    const QHash<QString, QByteArray> after = rig.stored();
    EXPECT_EQ(after.value(c.interrupted), rig.before.value(c.interrupted));
    for (const QString& name : c.saved)
        EXPECT_NE(after.value(name), rig.before.value(name)) << name.toStdString();
    EXPECT_EQ(after.size(), rig.before.size()); // nothing half-written is left beside it
    ASSERT_EQ(rig.dialogs.told.size(), 1u);
    EXPECT_EQ(rig.dialogs.told[0].first, notSaved(c.told));
}

INSTANTIATE_TEST_SUITE_P(SaveFault, InterruptedSave,
                         testing::Values(InterruptCase{"ShutdownTimes",
                                                       true,
                                                       &OperatorCommands::Command19_Click,
                                                       "kapat.txt",
                                                       {},
                                                       "kapat.txt"},
                                         InterruptCase{"BreakProgram",
                                                       true,
                                                       &OperatorCommands::Command14_Click,
                                                       "uygulama.txt",
                                                       {"melodi.txt", "muzikler.txt"},
                                                       "uygulama.txt"},
                                         InterruptCase{"Melodies",
                                                       false,
                                                       &OperatorCommands::Command14_Click,
                                                       "melodi.txt",
                                                       {"muzikler.txt"},
                                                       "Melodi.txt"}),
                         [](const testing::TestParamInfo<InterruptCase>& info) { return info.param.name; });

TEST(SaveFault, SettingsFileReplacedByAFolderIsToldAndTheOthersAreSaved)
{
    Edited rig;
    QDir(rig.dir.path()).remove(QStringLiteral("muzikler.txt"));
    QDir(rig.dir.path()).mkpath(QStringLiteral("muzikler.txt"));
    rig.controller->commands.Command14_Click();
    ASSERT_EQ(rig.dialogs.told.size(), 1u);
    EXPECT_EQ(rig.dialogs.told[0].first, notSaved(QStringLiteral("muzikler.txt")));
    EXPECT_NE(rig.stored().value(QStringLiteral("melodi.txt")),
              rig.before.value(QStringLiteral("melodi.txt")));
    EXPECT_TRUE(QFileInfo(rig.dir.filePath(QStringLiteral("muzikler.txt"))).isDir());
}

} // namespace
