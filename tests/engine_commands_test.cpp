#include "fakes/ControllerRig.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {
const QString BellsOnQuestion = QStringLiteral(
    "Zillerin otomatik olarak çalma durumu değiştirilecektir, zilleri açmak istediğinizden emin misiniz ?");
const QString BellsOffQuestion = QStringLiteral("Zillerin otomatik olarak çalma durumu değiştirilecektir, "
                                                "zilleri kapatmak istediğinizden emin misiniz ?");
const QString BellSwitchQuestion =
    QStringLiteral("Zillerin otomatik olarak çalma durumu değiştirilecektir, zilleri kapatmak/açmak "
                   "istediğinizden emin misiniz ?");
const QString ExitQuestion = QStringLiteral("Kapatmak istediğinizden emin misiniz ?");
const QString ShutdownQuestion = QStringLiteral("Bilgisayarı kapatmak istediğinizden emin misiniz ?");

struct Loaded : ControllerRig
{
    Loaded()
    {
        writeFile(QStringLiteral("port.txt"), "3\r\n");
        EXPECT_TRUE(load());
    }
    Controller& c() { return *controller; }
};

void makeFolder(const ControllerRig& rig, const QString& name)
{
    QDir(rig.dir.path()).mkpath(name);
}
} // namespace

struct BellCase
{
    const char* name;
    void (OperatorCommands::*command)();
    const QString* question;
    int bellsOffBefore;
    bool answer;
    int bellsOffAfter;
    QString label7After;
};

TEST(Commands, BellSwitchesAskAndActOnTheirAnswer)
{
    const QString kept = QStringLiteral("kept");
    const BellCase cases[] = {
        {"Zilleri aç, Yes", &OperatorCommands::Commandac_Click, &BellsOnQuestion, 1, true, 0, Texts::BellsOn},
        {"Zilleri aç, No", &OperatorCommands::Commandac_Click, &BellsOnQuestion, 1, false, 1, kept},
        {"Etkinlik, Yes", &OperatorCommands::Command12_Click, &BellsOffQuestion, 0, true, 1, Texts::BellsOff},
        {"Etkinlik, No", &OperatorCommands::Command12_Click, &BellsOffQuestion, 0, false, 0, kept},
        // The menu's switch: Yes switches off (the tick redraws), No switches on; No is no cancel.
        {"Zil kapat on, Yes", &OperatorCommands::zilkapat_Click, &BellSwitchQuestion, 0, true, 1, kept},
        {"Zil kapat on, No", &OperatorCommands::zilkapat_Click, &BellSwitchQuestion, 0, false, 0,
         Texts::BellsOn},
        {"Zil kapat off, Yes", &OperatorCommands::zilkapat_Click, &BellSwitchQuestion, 1, true, 1, kept},
        {"Zil kapat off, No", &OperatorCommands::zilkapat_Click, &BellSwitchQuestion, 1, false, 0,
         Texts::BellsOn},
    };
    for (const BellCase& bc : cases) {
        Loaded rig;
        rig.c().s.bellsOff = bc.bellsOffBefore;
        rig.c().s.ampHoldAfterSound = 1;
        rig.model.label7 = {kept, 0};
        rig.dialogs.answers = {bc.answer};
        (rig.c().commands.*bc.command)();
        EXPECT_EQ(rig.dialogs.asked, QStringList{*bc.question}) << bc.name;
        EXPECT_EQ(rig.c().s.bellsOff, bc.bellsOffAfter) << bc.name;
        EXPECT_EQ(rig.model.label7.caption, bc.label7After) << bc.name;
        const bool bellsOn = bc.command == &OperatorCommands::Commandac_Click && bc.answer;
        EXPECT_EQ(rig.c().s.ampHoldAfterSound, bellsOn ? 0 : 1) << bc.name;
    }
}

TEST(Commands, BellIndicatorColoursFollowTheSwitch)
{
    Loaded rig;
    rig.dialogs.answers = {true, true};
    rig.c().commands.Command12_Click();
    EXPECT_EQ(rig.model.label7.colour, Colours::LightRed);
    rig.c().commands.Commandac_Click();
    EXPECT_EQ(rig.model.label7.colour, Colours::Green);
}

TEST(Commands, ExitButtonEndsTheBreakProgramAndMusicFirst)
{
    Loaded rig;
    rig.c().s.breakProgramImageName = QStringLiteral("radyo.exe");
    ASSERT_EQ(rig.c().s.breakProgramMode, 1);
    rig.dialogs.answers = {true};
    rig.c().commands.Command18_Click();
    EXPECT_EQ(rig.dialogs.asked, QStringList{ExitQuestion});
    EXPECT_EQ(rig.desktop.killed, QStringList{QStringLiteral("radyo.exe")});
    EXPECT_EQ(rig.music.stops, 1);
    EXPECT_EQ(rig.shell.quits, 1);
}

TEST(Commands, ExitMenuItemLeavesTheBreakProgramAndMusic)
{
    Loaded rig;
    rig.c().s.breakProgramImageName = QStringLiteral("radyo.exe");
    rig.dialogs.answers = {true};
    rig.c().commands.mncikis_Click();
    EXPECT_EQ(rig.dialogs.asked, QStringList{ExitQuestion});
    EXPECT_TRUE(rig.desktop.killed.isEmpty());
    EXPECT_EQ(rig.music.stops, 0);
    EXPECT_EQ(rig.shell.quits, 1);
}

TEST(Commands, NoToAnExitOrShutdownQuestionChangesNothing)
{
    using Command = void (OperatorCommands::*)();
    const std::pair<Command, const QString*> cases[] = {
        {&OperatorCommands::Command18_Click, &ExitQuestion},
        {&OperatorCommands::mncikis_Click, &ExitQuestion},
        {&OperatorCommands::bilgkapat_Click, &ShutdownQuestion}};
    for (const auto& [command, question] : cases) {
        Loaded rig;
        rig.c().s.breakProgramImageName = QStringLiteral("radyo.exe");
        rig.dialogs.answers = {false};
        (rig.c().commands.*command)();
        EXPECT_EQ(rig.dialogs.asked, QStringList{*question});
        EXPECT_EQ(rig.shell.quits + rig.shell.removes + rig.desktop.shutdowns + rig.music.stops, 0);
        EXPECT_TRUE(rig.desktop.killed.isEmpty());
        EXPECT_FALSE(rig.c().s.unloaded);
        EXPECT_TRUE(rig.readFile(QStringLiteral("port.txt")) == "3\r\n");
    }
}

TEST(Commands, ShutdownMenuItemShutsDownAndTakesNoStepOfItsOwn)
{
    Loaded rig;
    rig.dialogs.answers = {true};
    rig.c().commands.bilgkapat_Click();
    EXPECT_EQ(rig.dialogs.asked, QStringList{ShutdownQuestion});
    EXPECT_EQ(rig.desktop.shutdowns, 1);
    EXPECT_EQ(rig.shell.quits, 0);
    EXPECT_EQ(rig.music.stops, 0);
}

TEST(Commands, SavingShutdownTimesReadsThemStraightBack)
{
    Loaded rig;
    rig.model.text26 = QStringLiteral("7:00");
    rig.model.text45 = QStringLiteral("18:30");
    rig.c().commands.Command19_Click();
    EXPECT_EQ(rig.readFile(QStringLiteral("kapat.txt")), QByteArray("\"7:00\"\r\n\"18:30\"\r\n"));
    EXPECT_EQ(rig.model.text26, QStringLiteral("7:00\"")); // with the closing quote
    EXPECT_EQ(rig.model.text45, QStringLiteral("18:30"));
    EXPECT_TRUE(rig.dialogs.asked.isEmpty());
    EXPECT_TRUE(rig.dialogs.told.empty());
}

TEST(Commands, SavingFiveCharacterTimesAgainLeavesTheFileUnchanged)
{
    Loaded rig;
    rig.model.text26 = QStringLiteral("16:45");
    rig.c().commands.Command19_Click();
    const QByteArray first = rig.readFile(QStringLiteral("kapat.txt"));
    rig.c().commands.Command19_Click();
    EXPECT_EQ(rig.readFile(QStringLiteral("kapat.txt")), first);
    EXPECT_EQ(first, QByteArray("\"16:45\"\r\n\"18:00\"\r\n"));
}

TEST(Commands, SaveButtonWritesAllThreeFilesByteForByte)
{
    Loaded rig;
    MainModel& m = rig.model;
    ControllerState& s = rig.c().s;
    s.breakProgramPath = QStringLiteral("/opt/radyo çalar");
    s.breakProgramImageName = QStringLiteral("radyo");
    m.check33 = true;
    m.box(MelodyBox::Student).position = 2;
    m.box(MelodyBox::Exit).position = 8;
    m.box(MelodyBox::Assembly).position = 0;
    m.check2 = m.check4 = true;
    s.musicVolume = 75;
    m.lessonMusic[0] = m.lessonMusic[13] = m.lessonMusic[14] = m.lessonMusic[16] = true;
    m.musicList = {QStringLiteral("/müzik/a.mp3"), QStringLiteral("/müzik/b.mp3")};

    rig.c().commands.Command14_Click();
    EXPECT_EQ(rig.readFile(QStringLiteral("uygulama.txt")), QByteArray("\"/opt/radyo \xE7"
                                                                       "alar\"\r\n\"radyo\"\r\n1\r\n"));
    EXPECT_EQ(rig.readFile(QStringLiteral("Melodi.txt")),
              QByteArray("2\r\n-1\r\n8\r\n0\r\n1\r\n0\r\n1\r\n0\r\n75\r\n"                        // lines 1-9
                         "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n" // 10-23
                         "0\r\n1\r\n0\r\n1\r\n"));                                                // 24-27
    EXPECT_EQ(rig.readFile(QStringLiteral("muzikler.txt")),
              QByteArray("\"/m\xFCzik/a.mp3\"\r\n\"/m\xFCzik/b.mp3\"\r\n"));
    EXPECT_EQ(m.musicListIndex, 1);
    EXPECT_EQ(s.studentMelodyFile, QStringLiteral("\\melodiler\\3.wav"));
    EXPECT_EQ(s.assemblyMelodyFile, QStringLiteral("\\melodiler\\1.wav"));
    EXPECT_TRUE(rig.dialogs.told.empty());

    // Started again on these files, the controls come back as they were saved.
    ControllerRig again;
    for (const char* f : {"uygulama.txt", "Melodi.txt", "muzikler.txt"})
        again.writeFile(QString::fromLatin1(f), rig.readFile(QString::fromLatin1(f)));
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.controller->s.breakProgramPath, s.breakProgramPath);
    EXPECT_EQ(again.controller->s.breakProgramMode, 0);
    EXPECT_EQ(again.controller->s.musicVolume, 75);
    for (int b = 0; b < MelodyBoxCount; ++b)
        EXPECT_EQ(again.model.melody[b].position, m.melody[b].position) << b;
    EXPECT_EQ(again.model.lessonMusic, m.lessonMusic);
    EXPECT_EQ(again.model.musicList, m.musicList);
}

TEST(Commands, SaveButtonLeavesUygulamaWithoutBothProgramEntries)
{
    for (const bool withPath : {true, false}) {
        Loaded rig;
        rig.writeFile(QStringLiteral("uygulama.txt"), "\"/eski\"\r\n\"eski\"\r\n0\r\n");
        (withPath ? rig.c().s.breakProgramPath : rig.c().s.breakProgramImageName) = QStringLiteral("yeni");
        rig.c().commands.Command14_Click();
        EXPECT_EQ(rig.readFile(QStringLiteral("uygulama.txt")), QByteArray("\"/eski\"\r\n\"eski\"\r\n0\r\n"));
        EXPECT_TRUE(rig.dialogs.told.empty());
    }
}

TEST(Commands, FailedSaveTellsTheOperatorOnce)
{
    Loaded rig;
    rig.c().s.breakProgramPath = QStringLiteral("/opt/radyo");
    rig.c().s.breakProgramImageName = QStringLiteral("radyo");
    for (const char* name : {"uygulama.txt", "Melodi.txt", "muzikler.txt", "kapat.txt"})
        makeFolder(rig, QString::fromLatin1(name));

    rig.c().commands.Command14_Click();
    ASSERT_EQ(rig.dialogs.told.size(), 1u);
    EXPECT_EQ(
        rig.dialogs.told[0].first,
        QStringLiteral("Ayarlar kaydedilemedi: uygulama.txt, Melodi.txt, muzikler.txt. Program klasörüne "
                       "yazma izni olmayabilir ya da disk dolu olabilir."));
    EXPECT_EQ(rig.dialogs.told[0].second, Texts::WarningTitle);

    rig.model.text26 = QStringLiteral("16:00");
    rig.c().commands.Command19_Click();
    ASSERT_EQ(rig.dialogs.told.size(), 2u);
    EXPECT_EQ(
        rig.dialogs.told[1].first,
        QStringLiteral("Ayarlar kaydedilemedi: kapat.txt. Program klasörüne yazma izni olmayabilir ya da "
                       "disk dolu olabilir."));
    EXPECT_EQ(rig.model.text26, QStringLiteral("16:00")); // the typed time stays in force
    EXPECT_TRUE(rig.dialogs.asked.isEmpty());
}

TEST(Commands, UnloadWritesThePortRemovesTheIconAndQuits)
{
    Loaded rig;
    rig.writeFile(QStringLiteral("port.txt"), "1\r\n");
    int unloads = 0;
    QObject::connect(rig.controller.get(), &Controller::unloaded, [&] { ++unloads; });
    rig.c().tray.Command2_Click();
    rig.c().commands.Form_Unload();
    rig.c().commands.Form_Unload(); // a second close is the same exit
    EXPECT_EQ(rig.readFile(QStringLiteral("port.txt")), QByteArray("3\r\n"));
    EXPECT_FALSE(rig.shell.iconShown);
    EXPECT_EQ(rig.shell.removes, 1);
    EXPECT_EQ(rig.shell.quits, 1);
    EXPECT_EQ(unloads, 1);
    EXPECT_TRUE(rig.dialogs.asked.isEmpty()); // closing is never refused or questioned
}

TEST(Commands, UnloadExitsEvenWhenThePortCannotBeSaved)
{
    Loaded rig;
    QDir(rig.dir.path()).remove(QStringLiteral("port.txt"));
    makeFolder(rig, QStringLiteral("port.txt"));
    rig.c().commands.Form_Unload();
    EXPECT_EQ(rig.shell.removes, 1);
    EXPECT_EQ(rig.shell.quits, 1);
    EXPECT_TRUE(rig.dialogs.told.empty());
    rig.tick();
    EXPECT_TRUE(rig.model.label1Caption.isEmpty()); // no tick runs after the unload
}
