#include "fakes/ControllerRig.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {
const QString AmpQuestion = QStringLiteral("Amfiyi sürekli olarak açmak istiyor musunuz?");
const QString SoundQuestion = QStringLiteral("Ses yayınını kapatmak istiyormusunuz?");

struct TrayRig : ControllerRig
{
    TrayRig()
    {
        writeFile(QStringLiteral("port.txt"), "1\r\n");
        EXPECT_TRUE(load());
        port.writes.clear();
    }
    Controller& c() { return *controller; }
};
} // namespace

TEST(TrayMenu, OnlyDoubleClickAndRightReleaseAct)
{
    struct Case
    {
        int code;
        int shows;
        int menus;
    };
    const Case cases[] = {{515, 1, 0}, {517, 0, 1}, {512, 0, 0}, {513, 0, 0}, {514, 0, 0},
                          {516, 0, 0}, {518, 0, 0}, {519, 0, 0}, {0, 0, 0},   {-515, 0, 0}};
    for (const Case& tc : cases) {
        TrayRig rig;
        rig.c().tray.trayCallback(tc.code);
        EXPECT_EQ(rig.shell.shows, tc.shows) << tc.code;
        EXPECT_EQ(rig.shell.menus, tc.menus) << tc.code;
        EXPECT_EQ(rig.shell.adds + rig.shell.removes + rig.shell.quits + rig.shell.minimizes, 0) << tc.code;
    }
}

TEST(TrayMenu, TepsiyeKucultAddsTheIconAndHidesTheWindow)
{
    TrayRig rig;
    rig.c().tray.Command2_Click();
    EXPECT_TRUE(rig.shell.iconShown);
    EXPECT_FALSE(rig.shell.windowVisible);

    rig.c().tray.mngoster_Click(); // showing again keeps the icon
    EXPECT_TRUE(rig.shell.windowVisible);
    EXPECT_TRUE(rig.shell.iconShown);

    rig.c().tray.Command2_Click();
    EXPECT_TRUE(rig.shell.iconShown);
    EXPECT_FALSE(rig.shell.windowVisible);
    EXPECT_EQ(rig.shell.removes, 0); // one icon, the same one, until the program ends
    EXPECT_EQ(rig.shell.minimizes, 0);
}

TEST(TrayMenu, WithoutANotificationAreaTheWindowIsMinimizedInstead)
{
    TrayRig rig;
    rig.shell.tray = false;
    rig.c().tray.Command2_Click();
    EXPECT_EQ(rig.shell.minimizes, 1);
    EXPECT_TRUE(rig.shell.windowVisible); // never hidden beyond reach
    EXPECT_EQ(rig.shell.adds, 0);
}

TEST(TrayMenu, TicksGoOnWhileTheWindowIsHidden)
{
    ControllerRig rig(QDateTime(QDate(2026, 12, 7), QTime(8, 39, 59)));
    rig.writeDay(QStringLiteral("Pazartesi"), {{0, QStringLiteral("08:40")}});
    rig.setSoundLength(QStringLiteral("\\melodiler\\0.wav"), 3);
    ASSERT_TRUE(rig.load());
    rig.controller->tray.Command2_Click();
    rig.tick();
    EXPECT_EQ(rig.wav.played.size(), 1);
}

TEST(TrayMenu, AmfiyiAcSwitchesTheAmplifierOnlyOnYes)
{
    for (const bool yes : {true, false}) {
        TrayRig rig;
        rig.dialogs.answers = {yes};
        rig.c().amp.amfiac_Click();
        EXPECT_EQ(rig.dialogs.asked, QStringList{AmpQuestion});
        EXPECT_EQ(rig.c().s.ampMode, 0); // the mode is not altered
        if (yes) {
            EXPECT_EQ(rig.port.writes, (std::vector<std::pair<quint16, quint16>>{{888, 1}}));
            EXPECT_EQ(rig.model.label4.caption, Texts::AmpOn);
            EXPECT_EQ(rig.c().s.ampState, 2);
        } else {
            EXPECT_TRUE(rig.port.writes.empty());
            EXPECT_EQ(rig.c().s.ampState, 1);
        }
    }
}

TEST(TrayMenu, SesYayininiDurdurStopsTheBellSoundAndAmplifier)
{
    TrayRig rig;
    rig.setSoundLength(QStringLiteral("\\marslar\\siren.wav"), 60);
    rig.c().ceremony.Command9_Click();
    ASSERT_TRUE(rig.wav.isPlaying());
    rig.tick(); // step 15 marks the amplifier releasable
    rig.dialogs.answers = {true};
    rig.c().tray.sesdur_Click();
    EXPECT_EQ(rig.dialogs.asked, QStringList{SoundQuestion});
    EXPECT_FALSE(rig.wav.isPlaying());
    EXPECT_EQ(rig.port.lastValue(), 0);
    EXPECT_EQ(rig.model.label4.caption, Texts::AmpOff);
    EXPECT_EQ(rig.c().s.ampState, 1);
}

TEST(TrayMenu, SesYayininiDurdurLeavesTheBreakMusicAlone)
{
    TrayRig rig;
    rig.model.musicList = {QStringLiteral("/müzik/a.mp3")};
    rig.music.lengths.insert(QStringLiteral("/müzik/a.mp3"), 600);
    rig.c().music.Command22_Click(); // "Müzik"
    rig.tick();
    ASSERT_TRUE(rig.music.isPlaying());
    const int stops = rig.music.stops;

    rig.dialogs.answers = {true};
    rig.c().tray.sesdur_Click();
    EXPECT_TRUE(rig.music.isPlaying());
    EXPECT_EQ(rig.music.stops, stops);
    EXPECT_EQ(rig.c().s.breakActive, 1);
    EXPECT_EQ(rig.c().s.musicStoppedByOperator, 0);
    rig.tick();
    EXPECT_EQ(rig.model.label4.caption, Texts::AmpOn); // the music keeps the amplifier on
    EXPECT_EQ(rig.port.lastValue(), 1);
}

TEST(TrayMenu, NoToSesYayininiDurdurChangesNothing)
{
    TrayRig rig;
    rig.setSoundLength(QStringLiteral("\\marslar\\siren.wav"), 60);
    rig.c().ceremony.Command9_Click();
    const size_t writes = rig.port.writes.size();
    const int closes = rig.wav.closes;
    rig.dialogs.answers = {false};
    rig.c().tray.sesdur_Click();
    EXPECT_EQ(rig.dialogs.asked, QStringList{SoundQuestion});
    EXPECT_TRUE(rig.wav.isPlaying());
    EXPECT_EQ(rig.wav.closes, closes);
    EXPECT_EQ(rig.port.writes.size(), writes);
}
