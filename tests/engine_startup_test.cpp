#include "fakes/ControllerRig.h"
#include "support/LogCapture.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {
// A "melodi.txt" of 27 lines, all 0 except the given ones.
QByteArray melodi(const QHash<int, QByteArray>& lines)
{
    QByteArray bytes;
    for (int line = 1; line <= 27; ++line)
        bytes += lines.value(line, line == 9 ? "100" : "0") + "\r\n";
    return bytes;
}

using Pairs = std::vector<std::pair<quint16, quint16>>;
} // namespace

TEST(Startup, GivesTheControllerStateItsStartValues)
{
    ControllerRig rig;
    rig.controller->s.bellsOff = 1;
    rig.controller->s.ampMode = 1;
    ASSERT_TRUE(rig.load());
    const ControllerState& s = rig.controller->s;
    EXPECT_EQ(s.ampMode, 0);
    EXPECT_EQ(s.bellsOff, 0);
    EXPECT_EQ(s.ampState, 1);
    EXPECT_EQ(s.shutdownIssued, 0);
    EXPECT_EQ(s.loadedDayName, QStringLiteral("Pazartesi"));
    EXPECT_EQ(s.trayIconRecord.size, 88);
    EXPECT_EQ(s.trayIconRecord.iconId, 1);
    EXPECT_EQ(s.trayIconRecord.flags, 7);
    EXPECT_EQ(s.trayIconRecord.callbackMessage, 512);
    EXPECT_EQ(s.trayIconRecord.tip, QStringLiteral("Vezo Zil programı çalışıyor !"));
    EXPECT_EQ(rig.shell.adds, 0); // the icon waits for "Tepsiye Küçült"
}

TEST(Startup, BreakPanelFollowsCheck33FromUygulama)
{
    struct Case
    {
        QByteArray file;
        bool check33;
        int breakProgramMode;
    };
    const Case cases[] = {
        {"\"/opt/radyo\"\r\n\"radyo\"\r\n1\r\n", true, 0}, // ticked: music, though step 2 chose program
        {"\"/opt/radyo\"\r\n\"radyo\"\r\n0\r\n", false, 1},
        {"\"/opt/radyo\"\r\n\"radyo\"\r\n2\r\n", false, 1}, // no value for a check box
        {QByteArray(), false, 1},                           // no file: the design-time program mode
    };
    for (const Case& c : cases) {
        ControllerRig rig;
        if (!c.file.isEmpty())
            rig.writeFile(QStringLiteral("uygulama.txt"), c.file);
        ASSERT_TRUE(rig.load());
        EXPECT_EQ(rig.model.check33, c.check33) << c.file.toStdString();
        EXPECT_EQ(rig.controller->s.breakProgramMode, c.breakProgramMode) << c.file.toStdString();
        EXPECT_EQ(rig.model.programControlsShown, c.breakProgramMode == 1) << c.file.toStdString();
        if (!c.file.isEmpty()) {
            EXPECT_EQ(rig.controller->s.breakProgramPath, QStringLiteral("/opt/radyo"));
            EXPECT_EQ(rig.controller->s.breakProgramImageName, QStringLiteral("radyo"));
        }
    }
}

TEST(Startup, PortFileChoosesTheRelayAddressAndResetsItLast)
{
    struct Case
    {
        QByteArray file;
        int option;
        Pairs writes;
    };
    const Case cases[] = {
        {"2\r\n3\r\n", 3, {{956, 0}}}, // the last line wins
        {"1\r\n", 1, {{888, 0}}},
        {"2\r\n", 2, {{632, 0}}},
        {"7\r\n", 0, {}}, // no option: no address, nothing written anywhere
        {"x\r\n", 0, {}},
    };
    for (const Case& c : cases) {
        ControllerRig rig;
        rig.writeFile(QStringLiteral("port.txt"), c.file);
        ASSERT_TRUE(rig.load());
        EXPECT_EQ(rig.model.lptOption, c.option) << c.file.toStdString();
        EXPECT_EQ(rig.port.writes, c.writes) << c.file.toStdString();
    }
}

TEST(Startup, MelodyPathsComeFromTheStoredPositions)
{
    ControllerRig rig;
    rig.writeFile(QStringLiteral("melodi.txt"), melodi({{1, "-1"}, {2, "4"}, {3, "8"}, {24, "0"}}));
    ASSERT_TRUE(rig.load());
    const ControllerState& s = rig.controller->s;
    EXPECT_EQ(s.studentMelodyFile, QStringLiteral("\\melodiler\\0.wav"));
    EXPECT_EQ(s.teacherMelodyFile, QStringLiteral("\\melodiler\\5.wav"));
    EXPECT_EQ(s.exitMelodyFile, QStringLiteral("\\melodiler\\9.wav"));
    EXPECT_EQ(s.assemblyMelodyFile, QStringLiteral("\\melodiler\\1.wav"));
    EXPECT_EQ(rig.model.box(MelodyBox::Student).position, -1);
    EXPECT_EQ(rig.model.box(MelodyBox::Teacher).text, QStringLiteral("Melodi 5"));
}

TEST(Startup, MelodyPositionOutsideTheListKeepsTheBox)
{
    ControllerRig rig;
    rig.writeFile(QStringLiteral("melodi.txt"), melodi({{1, "9"}, {2, "-2"}, {3, "x"}}));
    ASSERT_TRUE(rig.load());
    for (MelodyBox box : {MelodyBox::Student, MelodyBox::Teacher, MelodyBox::Exit})
        EXPECT_EQ(rig.model.box(box).position, -1);
    EXPECT_EQ(rig.controller->s.studentMelodyFile, QStringLiteral("\\melodiler\\0.wav"));
}

TEST(Startup, EachMelodiLineReachesItsOwnCheckBox)
{
    // line -> the one control it sets
    std::vector<std::pair<int, std::function<bool(const MainModel&)>>> lines = {
        {4, [](const MainModel& m) { return m.check1; }}, {5, [](const MainModel& m) { return m.check2; }},
        {6, [](const MainModel& m) { return m.check3; }}, {7, [](const MainModel& m) { return m.check4; }},
        {8, [](const MainModel& m) { return m.check5; }},
    };
    for (int lesson = 1; lesson <= 17; ++lesson) {
        const int line = lesson <= 14 ? lesson + 9 : lesson + 10; // Check7..Check20, then Check6, 21, 22
        lines.emplace_back(line, [lesson](const MainModel& m) { return m.lessonMusic[lesson - 1]; });
    }
    for (const auto& [line, control] : lines) {
        ControllerRig rig;
        rig.writeFile(QStringLiteral("melodi.txt"), melodi({{line, "1"}}));
        ASSERT_TRUE(rig.load());
        int ticked =
            rig.model.check1 + rig.model.check2 + rig.model.check3 + rig.model.check4 + rig.model.check5;
        for (bool b : rig.model.lessonMusic)
            ticked += b;
        EXPECT_TRUE(control(rig.model)) << "line " << line;
        EXPECT_EQ(ticked, 1) << "line " << line;
    }
}

TEST(Startup, VolumeLineSetsThePlayerAndLabel23)
{
    const std::pair<QByteArray, int> cases[] = {{"100", 100}, {"75", 75},   {"0", 0},    {"75abc", 75},
                                                {"abc", 100}, {"150", 100}, {"-5", 100}, {"", 100}};
    for (const auto& [line, volume] : cases) {
        ControllerRig rig;
        rig.writeFile(QStringLiteral("melodi.txt"), melodi({{9, line}}));
        ASSERT_TRUE(rig.load());
        EXPECT_EQ(rig.music.volume, volume) << line.toStdString();
        EXPECT_EQ(rig.model.label23Caption, QString::number(volume)) << line.toStdString();
    }
}

TEST(Startup, ReadsTodaysTimetableShutdownTimesAndMusicList)
{
    ControllerRig rig;
    rig.writeFile(QStringLiteral("saatler/Pazartesi.txt"), "\"08:40\"\r\n\"8:40\"\r\n");
    rig.writeFile(QStringLiteral("saatler/Salı.txt"), "\"11:11\"\r\n");
    rig.writeFile(QStringLiteral("kapat.txt"), "\"7:00\"\r\n\"18:30\"\r\n");
    rig.writeFile(QStringLiteral("muzikler.txt"), "\"/müzik/a.mp3\"\r\n\"/müzik/b.mp3\"\r\n");
    ASSERT_TRUE(rig.load());
    EXPECT_EQ(rig.model.grid[0], QStringLiteral("08:40"));
    EXPECT_EQ(rig.model.grid[1], QStringLiteral("8:40\""));
    EXPECT_EQ(rig.model.text26, QStringLiteral("7:00\""));
    EXPECT_EQ(rig.model.text45, QStringLiteral("18:30"));
    EXPECT_EQ(rig.model.musicList,
              (QStringList{QStringLiteral("/müzik/a.mp3"), QStringLiteral("/müzik/b.mp3")}));
}

TEST(Startup, MissingSettingsFilesKeepTheDesignTimeValues)
{
    ControllerRig rig;
    ASSERT_TRUE(rig.load());
    const MainModel design;
    EXPECT_EQ(rig.model.text26, QStringLiteral("17:00"));
    EXPECT_EQ(rig.model.text45, QStringLiteral("18:00"));
    EXPECT_EQ(rig.music.volume, 100);
    EXPECT_EQ(rig.model.label23Caption, QStringLiteral("100"));
    for (int b = 0; b < MelodyBoxCount; ++b) {
        EXPECT_EQ(rig.model.melody[b].position, -1);
        EXPECT_EQ(rig.model.melody[b].text, QStringLiteral("Melodi Seçiniz"));
    }
    EXPECT_FALSE(rig.model.check1 || rig.model.check3 || rig.model.check4 || rig.model.check5);
    EXPECT_EQ(rig.model.lessonMusic, design.lessonMusic);
    EXPECT_TRUE(rig.model.musicList.isEmpty());
    EXPECT_TRUE(rig.controller->s.breakProgramPath.isEmpty());
    EXPECT_EQ(rig.model.lptOption, 0);
    EXPECT_TRUE(rig.port.writes.empty());
}

TEST(Startup, SecondCopyShowsTheMessageAndWritesNothing)
{
    ControllerRig rig;
    rig.writeFile(QStringLiteral("port.txt"), "1\r\n");
    rig.instance.running = true;
    EXPECT_FALSE(rig.load());
    ASSERT_EQ(rig.dialogs.told.size(), 1u);
    EXPECT_EQ(
        rig.dialogs.told[0].first,
        QStringLiteral("Zil programı zaten çalışıyor ! Bildirim alanındaki saat simgesinden açabilirsiniz."));
    EXPECT_EQ(rig.dialogs.told[0].second, QString());
    EXPECT_TRUE(rig.dialogs.asked.isEmpty());
    EXPECT_TRUE(rig.port.writes.empty()); // the relay of the running copy is left alone
    EXPECT_EQ(rig.shell.adds + rig.shell.removes + rig.shell.quits, 0);
    const QStringList entries =
        QDir(rig.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    EXPECT_EQ(entries, (QStringList{QStringLiteral("port.txt"), QStringLiteral("saatler")}));
    EXPECT_EQ(rig.readFile(QStringLiteral("port.txt")), QByteArray("1\r\n"));
}

TEST(Startup, FirstTickDoesNotReloadTheDay)
{
    ControllerRig rig;
    rig.writeFile(QStringLiteral("saatler/Pazartesi.txt"), "\"08:40\"\r\n");
    ASSERT_TRUE(rig.load());
    int loads = 0;
    QObject::connect(rig.controller.get(), &Controller::dayLoaded, [&] { ++loads; });
    rig.tick();
    EXPECT_EQ(loads, 0);
}

TEST(Startup, TodayWithoutATimetableIsAWarning)
{
    const struct
    {
        const char* name;
        QByteArray bytes; // today's file; null: none
        int warnings;
    } cases[] = {{"missing", QByteArray(), 1}, {"empty", "", 1}, {"one line", "\"08:40\"\r\n", 0}};
    for (const auto& c : cases) {
        ControllerRig rig;
        if (!c.bytes.isNull())
            rig.writeFile(QStringLiteral("saatler/Pazartesi.txt"), c.bytes);
        LogCapture log("vezozil.bell");
        ASSERT_TRUE(rig.load());
        EXPECT_EQ(log.count(QStringLiteral("no bells today")), c.warnings) << c.name;
    }
}
