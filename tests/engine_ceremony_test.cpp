#include "fakes/ControllerRig.h"
#include "fakes/EngineScenario.h"
#include "fakes/RelayWatch.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace EngineScenario;

namespace {
const QString Istiklal = QStringLiteral("\\marslar\\istiklal.wav");
const QString Siren = QStringLiteral("\\marslar\\siren.wav");

const QStringList Tracks{QStringLiteral("/muzik/a.mp3"), QStringLiteral("/muzik/b.mp3")};

// A marked break after lesson 1: music (or the program) from 09:30:15 until the 09:40 student bell.
void startInBreak(ControllerRig& rig, bool programMode)
{
    start(rig, {{exitBell(1), QStringLiteral("09:30")}, {student(2), QStringLiteral("09:40")}});
    if (programMode)
        programBreaks(rig, QStringLiteral("/opt/radyo/radyo"), QStringLiteral("radyo"));
    else
        musicBreaks(rig, Tracks, 30);
    rig.model.lessonMusic[0] = true;
    for (const char* f : {"istiklal", "saygi", "saygi2", "saygidurusu", "siren"})
        rig.setSoundLength(QStringLiteral("\\marslar\\%1.wav").arg(QLatin1String(f)), 60);
    rig.clock.set(QDateTime(rig.clock.now().date(), QTime(9, 29, 50)));
}

using Handler = void (Ceremony::*)();
struct Button
{
    Handler click;
    const char* file;
    const char* name;
};
const Button StoppingButtons[] = {
    {&Ceremony::Command6_Click, "istiklal", "Command6"},
    {&Ceremony::Command7_Click, "saygi", "Command7"},
    {&Ceremony::Command8_Click, "saygi2", "Command8"},
    {&Ceremony::Command20_Click, "saygidurusu", "Command20"},
    {&Ceremony::Command9_Click, "siren", "Command9"},
};
} // namespace

TEST(Ceremony, EachButtonPlaysItsRecordingWithTheAmplifierOn)
{
    for (const Button& b : StoppingButtons) {
        ControllerRig rig;
        startInBreak(rig, false);
        (rig.controller->ceremony.*b.click)();
        EXPECT_EQ(rig.wav.played,
                  QStringList{full(rig, QStringLiteral("\\marslar\\%1.wav").arg(QLatin1String(b.file)))})
            << b.name;
        EXPECT_EQ(rig.port.lastValue(), 1) << b.name;
        EXPECT_EQ(rig.model.label4.caption, Texts::AmpOn);
    }
}

TEST(Ceremony, AnthemOverBreakMusicStopsItAndTheAmplifierGoesOffAfterIt)
{
    ControllerRig rig;
    startInBreak(rig, false);
    RelayWatch watch(rig);
    watch.runUntil(QTime(9, 31, 0));
    ASSERT_TRUE(rig.music.isPlaying());
    const auto tracks = rig.music.played.size();
    rig.controller->ceremony.Command6_Click();
    EXPECT_FALSE(rig.music.isPlaying());
    EXPECT_TRUE(watch.relayOn());
    EXPECT_EQ(rig.controller->s.ampState, 2); // Kapat was skipped, Ac followed: the anthem plays
    watch.runUntil(QTime(9, 31, 59));
    EXPECT_TRUE(watch.relayOn());
    EXPECT_EQ(rig.music.played.size(), tracks) << "music came back over the anthem";
    watch.tick(); // 09:32:00: the anthem has ended
    EXPECT_FALSE(watch.relayOn());
    watch.runUntil(QTime(9, 39, 0));
    EXPECT_EQ(rig.music.played.size(), tracks);
    EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
}

TEST(Ceremony, EveryStoppingButtonEndsTheBreak)
{
    for (const bool programMode : {false, true}) {
        for (const Button& b : StoppingButtons) {
            ControllerRig rig;
            startInBreak(rig, programMode);
            RelayWatch watch(rig);
            watch.runUntil(QTime(9, 31, 0));
            ASSERT_EQ(rig.controller->s.breakActive, 1);
            const auto tracks = rig.music.played.size();
            const auto kills = rig.desktop.killed.size();
            (rig.controller->ceremony.*b.click)();
            EXPECT_EQ(rig.desktop.killed.size() - kills, programMode ? 1 : 0) << b.name;
            watch.runUntil(QTime(9, 33, 0));
            EXPECT_EQ(rig.music.played.size(), tracks) << b.name;
            EXPECT_FALSE(watch.relayOn()) << b.name << " program " << programMode;
            EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
        }
    }
}

TEST(Ceremony, AnthemWithSpeechLeavesMusicAndProgramAlone)
{
    for (const bool programMode : {false, true}) {
        ControllerRig rig;
        startInBreak(rig, programMode);
        rig.runUntil(QTime(9, 31, 0));
        const int stops = rig.music.stops;
        const auto kills = rig.desktop.killed.size();
        const bool musicWasPlaying = rig.music.isPlaying();
        rig.controller->ceremony.Command26_Click();
        EXPECT_EQ(rig.music.stops, stops);
        EXPECT_EQ(rig.music.isPlaying(), musicWasPlaying);
        EXPECT_EQ(rig.desktop.killed.size(), kills);
        EXPECT_EQ(rig.controller->s.breakActive, 1);
        EXPECT_EQ(rig.wav.played.last(), full(rig, Istiklal));
        EXPECT_EQ(rig.controller->s.ampHoldAfterSound, 1);
    }
}

TEST(Ceremony, AnthemWithSpeechHoldsTheAmplifierUntilOtomatik)
{
    ControllerRig rig;
    startInBreak(rig, false);
    rig.music.lengths.insert(Tracks[0], 600);
    rig.music.lengths.insert(Tracks[1], 600);
    RelayWatch watch(rig);
    watch.runUntil(QTime(9, 31, 0));
    ASSERT_TRUE(rig.music.isPlaying());
    rig.controller->ceremony.Command26_Click();
    // The anthem ends at 09:32, the 09:40 bell ends the music and its melody ends at 09:40:20;
    // the speech hold keeps the amplifier on through all of it.
    watch.runUntil(QTime(9, 45, 0));
    EXPECT_FALSE(watch.somethingPlays());
    EXPECT_TRUE(watch.relayOn());
    rig.controller->amp.Command3_Click();
    watch.tick();
    EXPECT_FALSE(watch.relayOn());
    EXPECT_EQ(rig.model.label4.caption, Texts::AmpOff);
    EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
}

TEST(Ceremony, SirenInProgramModeEndsTheProgram)
{
    ControllerRig rig;
    startInBreak(rig, true);
    RelayWatch watch(rig);
    watch.runUntil(QTime(9, 31, 0));
    ASSERT_EQ(rig.desktop.opened.size(), 1);
    rig.desktop.killed.clear();
    rig.controller->ceremony.Command9_Click();
    EXPECT_EQ(rig.desktop.killed, QStringList{QStringLiteral("radyo")});
    EXPECT_EQ(rig.controller->s.killCommandLine, QStringLiteral("TASKKILL /F /IM radyo"));
    EXPECT_EQ(rig.wav.played.last(), full(rig, Siren));
    watch.runUntil(QTime(9, 33, 0));
    EXPECT_FALSE(watch.relayOn());
    EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
}

TEST(Ceremony, ManualBellsPlayTheStoredStudentAndTeacherMelodies)
{
    struct Case
    {
        Handler click;
        const QString& melody;
    };
    for (const Case& c :
         {Case{&Ceremony::Command10_Click, StudentWav}, Case{&Ceremony::Command11_Click, TeacherWav}}) {
        ControllerRig rig;
        start(rig, {});
        rig.model.box(MelodyBox::Exit).position = 6; // boxes changed but not yet applied
        rig.model.box(MelodyBox::Teacher).position = 7;
        (rig.controller->ceremony.*c.click)();
        EXPECT_EQ(rig.wav.played, QStringList{full(rig, c.melody)});
        EXPECT_EQ(rig.port.lastValue(), 1);
    }
}

TEST(Ceremony, ManualBellEndsBreakMusicButLeavesTheProgramRunning)
{
    for (const bool programMode : {false, true}) {
        ControllerRig rig;
        startInBreak(rig, programMode);
        RelayWatch watch(rig);
        watch.runUntil(QTime(9, 31, 0));
        const auto tracks = rig.music.played.size();
        const auto kills = rig.desktop.killed.size();
        rig.controller->ceremony.Command10_Click();
        watch.runUntil(QTime(9, 32, 0));
        EXPECT_EQ(rig.music.played.size(), tracks);
        EXPECT_EQ(rig.desktop.killed.size(), kills);
        EXPECT_EQ(rig.controller->s.breakActive, programMode ? 1 : 0);
        EXPECT_EQ(watch.relayOn(), programMode);
        EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
    }
}

TEST(Ceremony, StopWithNothingPlayingStillEndsTheBreakState)
{
    for (const bool programMode : {false, true}) {
        ControllerRig rig;
        start(rig, {});
        if (programMode)
            programBreaks(rig, QStringLiteral("/opt/radyo/radyo"), QStringLiteral("radyo"));
        else
            musicBreaks(rig, Tracks, 30);
        rig.controller->s.breakActive = 1;
        rig.controller->s.ampState = 2;
        const auto writes = rig.port.writes.size();
        rig.controller->ceremony.Command13_Click();
        ControllerState& s = rig.controller->s;
        EXPECT_EQ(s.musicStoppedByOperator, 1);
        EXPECT_EQ(s.breakActive, 0);
        EXPECT_EQ(s.ampState, 1);
        EXPECT_EQ(rig.desktop.killed.size(), programMode ? 1 : 0);
        EXPECT_GE(rig.music.stops, 1);
        // Held on when pressed, so both Kapat calls are skipped; the next tick releases the amplifier.
        EXPECT_EQ(rig.port.writes.size(), writes);
        rig.tick();
        EXPECT_EQ(rig.port.lastValue(), 0);
    }
}

TEST(Ceremony, StopSilencesAPlayingSoundAtOnceWhenReleasable)
{
    ControllerRig rig;
    start(rig, {});
    rig.setSoundLength(Siren, 60);
    rig.controller->ceremony.Command9_Click();
    rig.tick(); // the tick marks the playing sound releasable
    ASSERT_EQ(rig.port.lastValue(), 1);
    rig.controller->ceremony.Command13_Click();
    EXPECT_FALSE(rig.wav.isPlaying());
    EXPECT_EQ(rig.wav.cutOff, 1);
    EXPECT_EQ(rig.port.lastValue(), 0);
    EXPECT_EQ(rig.model.label4.caption, Texts::AmpOff);
}

TEST(Ceremony, AMissingRecordingLeavesTheAmplifierOnUntilStop)
{
    for (const Button& b : StoppingButtons) {
        ControllerRig rig;
        start(rig, {}); // no recordings registered: every one is missing
        RelayWatch watch(rig);
        watch.tick();
        (rig.controller->ceremony.*b.click)();
        EXPECT_EQ(rig.wav.failed.size(), 1);
        watch.allowHeld = true;
        for (int i = 0; i < 90; ++i) {
            watch.tick();
            ASSERT_TRUE(watch.relayOn()) << b.name << " after " << i << " s";
        }
        watch.allowHeld = false;
        rig.controller->ceremony.Command13_Click();
        watch.tick();
        EXPECT_FALSE(watch.relayOn()) << b.name;
        EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
    }
}

TEST(Ceremony, AnthemReassertsTheAmplifierOnlyWhenItPlays)
{
    for (const bool present : {true, false}) {
        ControllerRig rig;
        start(rig, {});
        if (present)
            rig.setSoundLength(Istiklal, 60);
        rig.port.writes.clear();
        rig.controller->ceremony.Command6_Click();
        // Ac before the play; afterwards Kapat (held, so nothing) when silent, Ac again when playing.
        const std::vector<std::pair<quint16, quint16>> expected =
            present ? std::vector<std::pair<quint16, quint16>>{{888, 1}, {888, 1}}
                    : std::vector<std::pair<quint16, quint16>>{{888, 1}};
        EXPECT_EQ(rig.port.writes, expected) << present;
        EXPECT_EQ(rig.controller->s.ampState, 2);
    }
}
