#include "fakes/ControllerRig.h"
#include "fakes/EngineScenario.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <map>

using namespace EngineScenario;

namespace {
struct Paths
{
    QString student, teacher, exit, assembly;
};
Paths pathsOf(const ControllerState& s)
{
    return {s.studentMelodyFile, s.teacherMelodyFile, s.exitMelodyFile, s.assemblyMelodyFile};
}
QString melody(int n)
{
    return QStringLiteral("\\melodiler\\%1.wav").arg(n);
}

// Rows chosen 1, 2, 3, 4 and applied; then the boxes show rows 5, 6, 7, 8 without being applied.
void changeBoxesBehindThePaths(ControllerRig& rig)
{
    start(rig, {});
    for (int b = 0; b < MelodyBoxCount; ++b)
        rig.model.melody[b].position = b + 4;
}
} // namespace

TEST(Melodies, PathIsTheRowPlusOne)
{
    const std::pair<int, const char*> cases[] = {{-1, "\\melodiler\\0.wav"},
                                                 {0, "\\melodiler\\1.wav"},
                                                 {4, "\\melodiler\\5.wav"},
                                                 {8, "\\melodiler\\9.wav"}};
    for (const auto& [position, path] : cases)
        EXPECT_EQ(Melodies::melodyPath(static_cast<qint16>(position)), QString::fromLatin1(path));
}

TEST(Melodies, EachChangeHandlerRecomputesItsOwnPaths)
{
    using Change = void (*)(Melodies&);
    struct Case
    {
        Change change;
        Paths expected;
        const char* name;
    };
    const Case cases[] = {
        {[](Melodies& m) { m.Combo1_Change(); }, {melody(1), melody(2), melody(7), melody(4)}, "Combo1"},
        {[](Melodies& m) { m.Combo2_Change(); }, {melody(1), melody(6), melody(3), melody(4)}, "Combo2"},
        {[](Melodies& m) { m.Combo3_Change(0); }, {melody(5), melody(2), melody(3), melody(8)}, "Combo3(0)"},
        {[](Melodies& m) { m.Combo3_Change(1); }, {melody(5), melody(2), melody(3), melody(8)}, "Combo3(1)"},
        {[](Melodies& m) { m.recomputeAll(); }, {melody(5), melody(6), melody(7), melody(8)}, "all"},
    };
    for (const Case& c : cases) {
        ControllerRig rig;
        changeBoxesBehindThePaths(rig);
        c.change(rig.controller->melodies);
        const Paths p = pathsOf(rig.controller->s);
        EXPECT_EQ(p.student, c.expected.student) << c.name;
        EXPECT_EQ(p.teacher, c.expected.teacher) << c.name;
        EXPECT_EQ(p.exit, c.expected.exit) << c.name;
        EXPECT_EQ(p.assembly, c.expected.assembly) << c.name;
    }
}

TEST(Melodies, TypingInOneCombo3BoxLeavesTheOtherBoxsPath)
{
    for (const int typedIn : {0, 1}) {
        ControllerRig rig;
        start(rig, {});
        const MelodyBox typed = typedIn == 0 ? MelodyBox::Student : MelodyBox::Assembly;
        rig.model.box(typed) = {-1, QStringLiteral("Melodi X")};
        rig.controller->melodies.Combo3_Change(typedIn);
        const ControllerState& s = rig.controller->s;
        EXPECT_EQ(s.studentMelodyFile, typedIn == 0 ? melody(0) : melody(1));
        EXPECT_EQ(s.assemblyMelodyFile, typedIn == 1 ? melody(0) : melody(4));
    }
}

TEST(Melodies, DinleSwitchesOnRecomputesItsPathAndPlays)
{
    using Click = void (Melodies::*)();
    const std::pair<Click, int> cases[] = {{&Melodies::Command15_Click, 0},
                                           {&Melodies::Command16_Click, 1},
                                           {&Melodies::Command17_Click, 2},
                                           {&Melodies::Command25_Click, 3}};
    for (const auto& [click, box] : cases) {
        ControllerRig rig;
        changeBoxesBehindThePaths(rig);
        rig.setSoundLength(melody(box + 5), 10);
        (rig.controller->melodies.*click)();
        EXPECT_EQ(rig.wav.played, QStringList{full(rig, melody(box + 5))});
        EXPECT_EQ(rig.port.lastValue(), 1);
        const Paths p = pathsOf(rig.controller->s);
        const QString got[] = {p.student, p.teacher, p.exit, p.assembly};
        for (int other = 0; other < MelodyBoxCount; ++other)
            EXPECT_EQ(got[other], melody(other == box ? box + 5 : other + 1)) << box << " " << other;
    }
}

TEST(Melodies, DinleCutsOffABellButLeavesMusicAndProgram)
{
    ControllerRig rig;
    start(rig, {{student(1), QStringLiteral("08:40")}});
    programBreaks(rig, QStringLiteral("/opt/radyo"), QStringLiteral("radyo"));
    rig.runUntil(QTime(8, 40, 5));
    ASSERT_TRUE(rig.wav.isPlaying());
    const auto kills = rig.desktop.killed.size();
    const int stops = rig.music.stops;
    rig.controller->melodies.Command16_Click();
    EXPECT_EQ(rig.wav.cutOff, 1);
    EXPECT_EQ(rig.wav.played.last(), full(rig, TeacherWav));
    EXPECT_EQ(rig.desktop.killed.size(), kills);
    EXPECT_EQ(rig.music.stops, stops);
}

TEST(BreakMusic, RandomChoiceIsUniformAndNeverN)
{
    ControllerRig rig;
    const int n = 7;
    for (int i = 0; i < n; ++i)
        rig.model.musicList << QStringLiteral("/m/%1.mp3").arg(i);
    std::map<QString, int> counts;
    const int draws = 7000;
    for (int i = 0; i < draws; ++i) {
        rig.controller->music.pickRandomMusic();
        ASSERT_GE(rig.model.musicListIndex, 0);
        ASSERT_LT(rig.model.musicListIndex, n);
        EXPECT_EQ(rig.music.played.last(), rig.model.musicList[rig.model.musicListIndex]);
        ++counts[rig.music.played.last()];
    }
    ASSERT_EQ(counts.size(), std::size_t(n));
    for (const auto& [track, count] : counts) {
        EXPECT_GT(count, draws / n * 8 / 10) << track.toStdString();
        EXPECT_LT(count, draws / n * 12 / 10) << track.toStdString();
    }
}

TEST(BreakMusic, EveryRunDrawsTheSameSequence)
{
    ControllerRig first, second;
    const QStringList list{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                           QStringLiteral("d")};
    first.model.musicList = second.model.musicList = list;
    for (int i = 0; i < 50; ++i) {
        first.controller->music.pickRandomMusic();
        second.controller->music.pickRandomMusic();
    }
    EXPECT_EQ(first.music.played, second.music.played);
    EXPECT_GT(QSet<QString>(first.music.played.begin(), first.music.played.end()).size(), 1);
}

TEST(BreakMusic, OneRowIsAlwaysChosenAndAnEmptyListGivesNothing)
{
    ControllerRig rig;
    rig.controller->music.pickRandomMusic();
    EXPECT_TRUE(rig.music.played.isEmpty());
    rig.model.musicList = {QStringLiteral("/m/tek.mp3")};
    for (int i = 0; i < 100; ++i)
        rig.controller->music.pickRandomMusic();
    EXPECT_EQ(rig.music.played, QStringList(100, QStringLiteral("/m/tek.mp3")));
    EXPECT_EQ(rig.model.musicListIndex, 0);
}

TEST(BreakMusic, VolumeStepsByFiveWithinZeroToHundred)
{
    struct Case
    {
        int from;
        bool louder;
        int to;
    };
    const Case cases[] = {{97, true, 100}, {100, true, 100}, {50, true, 55},  {95, true, 100},
                          {3, false, 0},   {0, false, 0},    {50, false, 45}, {5, false, 0}};
    for (const Case& c : cases) {
        ControllerRig rig;
        rig.controller->s.musicVolume = c.from;
        if (c.louder)
            rig.controller->music.Command28_Click();
        else
            rig.controller->music.Command27_Click();
        EXPECT_EQ(rig.controller->s.musicVolume, c.to) << c.from << (c.louder ? " +" : " --");
        EXPECT_EQ(rig.model.label23Caption, QString::number(c.to));
        EXPECT_EQ(rig.music.volume, c.to);
    }
}

TEST(BreakMusic, AddAppendsTheChosenFileWithTheMp3Filter)
{
    ControllerRig rig;
    rig.model.musicList = {QStringLiteral("/m/a.mp3")};
    rig.dialogs.files = {QStringLiteral("/m/b.mp3"), QStringLiteral("/m/a.mp3")};
    rig.controller->music.Command21_Click();
    rig.controller->music.Command21_Click();
    EXPECT_EQ(rig.model.musicList, (QStringList{QStringLiteral("/m/a.mp3"), QStringLiteral("/m/b.mp3"),
                                                QStringLiteral("/m/a.mp3")}));
    EXPECT_EQ(rig.controller->s.lastMusicFileChosen, QStringLiteral("/m/a.mp3"));
    EXPECT_EQ(rig.dialogs.filters, QStringList(2, QStringLiteral("Müzik Seçin|*.mp3")));
}

TEST(BreakMusic, AddCancelledOrWithALineBreakAddsNothing)
{
    ControllerRig rig;
    rig.dialogs.files = {QStringLiteral("/m/b.mp3"), QString(), QStringLiteral("/m/x\ny.mp3"),
                         QStringLiteral("/m/x\ry.mp3")};
    for (int i = 0; i < 4; ++i)
        rig.controller->music.Command21_Click();
    EXPECT_EQ(rig.model.musicList, QStringList{QStringLiteral("/m/b.mp3")});
    EXPECT_EQ(rig.controller->s.lastMusicFileChosen, QStringLiteral("/m/b.mp3"));
    ASSERT_EQ(rig.dialogs.told.size(), 2u);
    EXPECT_TRUE(rig.dialogs.told[0].first.contains(QStringLiteral("satır sonu")));
    EXPECT_EQ(rig.dialogs.told[0].second, Texts::WarningTitle);
}

TEST(BreakMusic, DeleteRemovesOnlyASelectedNonEmptyRow)
{
    struct Case
    {
        int selected;
        QStringList after;
    };
    const QStringList list{QStringLiteral("/m/a.mp3"), QString(), QStringLiteral("/m/c.mp3")};
    const Case cases[] = {{-1, list},
                          {1, list},
                          {3, list},
                          {0, {QString(), QStringLiteral("/m/c.mp3")}},
                          {2, {QStringLiteral("/m/a.mp3"), QString()}}};
    for (const Case& c : cases) {
        ControllerRig rig;
        rig.model.musicList = list;
        rig.model.musicListIndex = c.selected;
        rig.controller->music.Command23_Click();
        EXPECT_EQ(rig.model.musicList, c.after) << c.selected;
    }
}

TEST(BreakMusic, MuzikButtonStartsATrackAndHandsItToTheTick)
{
    ControllerRig rig;
    start(rig, {});
    rig.controller->music.Command22_Click();
    EXPECT_TRUE(rig.music.played.isEmpty());
    EXPECT_EQ(rig.controller->s.breakActive, 0);

    rig.model.musicList = {QStringLiteral("/m/a.mp3")};
    rig.controller->music.Command22_Click();
    EXPECT_EQ(rig.music.played, QStringList{QStringLiteral("/m/a.mp3")});
    EXPECT_EQ(rig.controller->s.breakActive, 1);
    EXPECT_EQ(rig.controller->s.minuteHandled, 1);
    EXPECT_EQ(rig.controller->s.ampState, 1);
    EXPECT_EQ(rig.port.lastValue(), 1);
}

TEST(BreakProgram, GecisyapFollowsHayir)
{
    for (const bool hayir : {false, true, false}) {
        ControllerRig rig;
        rig.model.check33 = hayir;
        rig.controller->program.Check33_Click();
        EXPECT_EQ(rig.model.programControlsShown, !hayir);
        EXPECT_EQ(rig.controller->s.breakProgramMode, hayir ? 0 : 1);
    }
}

TEST(BreakProgram, KillEndsTheImageNameAsOneArgument)
{
    struct Case
    {
        QString name;
        QString line;
        QStringList killed;
    };
    const Case cases[] = {
        {QStringLiteral("a.exe"), QStringLiteral("TASKKILL /F /IM a.exe"), {QStringLiteral("a.exe")}},
        {QStringLiteral("Media Player.exe"),
         QStringLiteral("TASKKILL /F /IM Media Player.exe"),
         {QStringLiteral("Media Player.exe")}},
        {QString(), QStringLiteral("önceki"), {}},
    };
    for (const Case& c : cases) {
        ControllerRig rig;
        rig.controller->s.killCommandLine = QStringLiteral("önceki");
        rig.controller->s.breakProgramImageName = c.name;
        rig.controller->program.programkapat();
        EXPECT_EQ(rig.controller->s.killCommandLine, c.line);
        EXPECT_EQ(rig.desktop.killed, c.killed);
    }
}

TEST(BreakProgram, OpenStartsThePathOnlyWhenOneIsChosen)
{
    ControllerRig rig;
    rig.controller->program.programac();
    EXPECT_TRUE(rig.desktop.opened.isEmpty());
    rig.controller->s.breakProgramPath = QStringLiteral("/home/okul/liste.m3u");
    rig.controller->program.programac();
    rig.controller->program.programac();
    EXPECT_EQ(rig.desktop.opened, QStringList(2, QStringLiteral("/home/okul/liste.m3u")));
}

TEST(BreakProgram, ChoosersKeepTheEarlierChoiceWhenCancelledOrRefused)
{
    ControllerRig rig;
    BreakProgram& p = rig.controller->program;
    rig.dialogs.files = {QStringLiteral("/home/okul/liste.m3u"), QString(), QStringLiteral("/a\nb.m3u"),
                         QStringLiteral("/usr/bin/vlc"),         QString(), QStringLiteral("/usr/bin/v\nlc")};
    p.Command5_Click();
    p.Command5_Click();
    p.Command5_Click();
    p.Command24_Click();
    p.Command24_Click();
    p.Command24_Click();
    EXPECT_EQ(rig.controller->s.breakProgramPath, QStringLiteral("/home/okul/liste.m3u"));
    EXPECT_EQ(rig.controller->s.breakProgramImageName, QStringLiteral("vlc")); // the name without its folder
    EXPECT_EQ(rig.dialogs.filters, QStringList(6, QString()));
    ASSERT_EQ(rig.dialogs.told.size(), 2u);
    EXPECT_TRUE(rig.dialogs.told[1].first.contains(QStringLiteral("satır sonu")));
}

TEST(Melodies, ThePlayerIsToldTheBellsSoundsThreeSecondsBeforeABell)
{
    ControllerRig rig(QDateTime(QDate(2026, 12, 7), QTime(8, 39, 50)));
    start(rig, {{student(1), QStringLiteral("08:40")}});
    rig.runUntil(QTime(8, 39, 56));
    EXPECT_TRUE(rig.wav.prepared.isEmpty()) << "nothing is readied long before a bell";
    rig.tick(); // 08:39:57
    EXPECT_EQ(rig.wav.prepared, QStringList{full(rig, StudentWav)});
    rig.wav.prepared.clear();
    rig.runUntil(QTime(8, 41, 0));
    EXPECT_TRUE(rig.wav.prepared.isEmpty()) << "readied once per bell";
    EXPECT_EQ(rig.wav.played.value(0), full(rig, StudentWav));
}

TEST(Melodies, OnlyTheSoundsTheComingBellCanPlayAreReadied)
{
    struct Case
    {
        const char* name;
        QHash<int, QString> cells;
        bool announcements;
        QStringList expected;
    };
    const QString at = QStringLiteral("08:40");
    const Case cases[] = {
        {"student bell", {{student(1), at}}, false, {StudentWav}},
        {"student bell, announced", {{student(1), at}}, true, {StudentWav, Anons1}},
        {"teacher bell, announced", {{teacher(1), at}}, true, {TeacherWav, Anons2}},
        {"exit bell", {{exitBell(1), at}}, true, {ExitWav}},
        {"assembly", {{Slots::Assembly2, at}}, true, {AssemblyWav}},
        {"exit and student bell in one minute", {{exitBell(1), at}, {student(2), at}}, false,
         {StudentWav, ExitWav}},
    };
    for (const Case& c : cases) {
        ControllerRig rig(QDateTime(QDate(2026, 12, 7), QTime(8, 39, 56)));
        start(rig, c.cells);
        rig.model.check1 = rig.model.check2 = c.announcements;
        rig.tick(); // 08:39:57
        QStringList expected;
        for (const QString& relative : c.expected)
            expected << full(rig, relative);
        EXPECT_EQ(rig.wav.prepared, expected) << c.name;
    }
}
