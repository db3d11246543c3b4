// The engine when the sound device is missing at start or goes away during the day (a sound server
// restarting): the bells stay silent and are logged, the amplifier follows only what really plays,
// and the first bell after the device is back rings without a restart.
#include "fakes/EngineScenario.h"
#include "fakes/RelayWatch.h"
#include "support/LogCapture.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace EngineScenario;

namespace {

const QString NotPlayed = QStringLiteral("sound could not be played");

TEST(SoundDeviceFault, MissingDeviceLeavesEveryBellSilentLoggedOnceAndTheAmplifierOff)
{
    ControllerRig rig;
    rig.wav.deviceMissing = true;
    start(rig, {{student(1), "08:00"}, {teacher(1), "08:02"}, {exitBell(1), "08:04"}});
    LogCapture log("vezozil.sound");
    RelayWatch watch(rig);
    watch.runUntil(QTime(8, 5, 0));

    // Each bell is tried once in its minute: the guard is set all the same, as for a missing file.
    EXPECT_EQ(rig.wav.failed,
              QStringList({full(rig, StudentWav), full(rig, TeacherWav), full(rig, ExitWav)}));
    EXPECT_EQ(log.count(NotPlayed), 3);
    EXPECT_EQ(rig.model.text1, QStringLiteral("08:04"));
    // Each bell switches the amplifier on for its melody and, with nothing to play, off in the same tick.
    EXPECT_FALSE(watch.relayOn());
    EXPECT_EQ(rig.model.label4.caption, Texts::AmpOff);
    EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
}

TEST(SoundDeviceFault, DeviceThatAppearsLaterRingsTheNextBellWithoutARestart)
{
    ControllerRig rig;
    rig.wav.deviceMissing = true;
    start(rig, {{student(1), "08:00"}, {teacher(1), "08:02"}});
    RelayWatch watch(rig);
    watch.runUntil(QTime(8, 1, 0));
    ASSERT_EQ(rig.wav.failed.size(), 1);

    rig.wav.deviceMissing = false; // speakers plugged in, sound server started
    watch.runUntil(QTime(8, 2, 0));
    EXPECT_TRUE(rig.wav.isPlaying());
    EXPECT_EQ(rig.wav.played.last(), full(rig, TeacherWav));
    watch.tick();
    EXPECT_TRUE(watch.relayOn());
    watch.runUntil(QTime(8, 2, 25));
    EXPECT_FALSE(watch.relayOn());
    EXPECT_EQ(rig.wav.failed.size(), 1);
    EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
}

TEST(SoundDeviceFault, FailedAnnouncementIsNotRetriedAndLeavesTheAmplifierOffAfterOneTick)
{
    ControllerRig rig;
    rig.wav.deviceMissing = true;
    start(rig, {{student(1), "08:01"}});
    rig.model.check1 = true; // "Sözlü anons"
    LogCapture log("vezozil.sound");
    rig.runUntil(QTime(8, 1, 0));
    // The melody fails, so the player is idle at once and the announcement follows in the same tick;
    // it switches the amplifier on before it plays, as every announcement does.
    EXPECT_EQ(rig.wav.failed, QStringList({full(rig, StudentWav), full(rig, Anons1)}));
    rig.tick();
    EXPECT_EQ(rig.port.lastValue(), 0);
    EXPECT_EQ(rig.model.label4.caption, Texts::AmpOff);
    rig.runUntil(QTime(8, 2, 30));
    EXPECT_EQ(rig.wav.played.size(), 2);
    EXPECT_EQ(log.count(NotPlayed), 2);
    EXPECT_EQ(rig.port.lastValue(), 0);
}

TEST(SoundDeviceFault, DeviceLostUnderAMelodySwitchesTheAmplifierOffAndTheNextBellRings)
{
    ControllerRig rig;
    start(rig, {{student(1), "08:00"}, {teacher(1), "08:02"}}, {.student = 40, .teacher = 10});
    RelayWatch watch(rig);
    watch.runUntil(QTime(8, 0, 5));
    ASSERT_TRUE(watch.relayOn());

    rig.wav.loseDevice(); // the sound server restarts
    rig.wav.deviceMissing = true;
    watch.tick();
    EXPECT_FALSE(watch.relayOn());
    EXPECT_EQ(rig.model.label4.caption, Texts::AmpOff);
    watch.runUntil(QTime(8, 0, 30));
    rig.wav.deviceMissing = false;

    watch.runUntil(QTime(8, 2, 1));
    EXPECT_EQ(rig.wav.played, QStringList({full(rig, StudentWav), full(rig, TeacherWav)}));
    EXPECT_TRUE(rig.wav.isPlaying());
    EXPECT_TRUE(watch.relayOn());
    watch.runUntil(QTime(8, 3, 0));
    EXPECT_FALSE(watch.relayOn());
    EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
}

TEST(SoundDeviceFault, LostMelodyCountsAsEndedSoItsAnnouncementFollowsInTheMinute)
{
    ControllerRig rig;
    start(rig, {{teacher(1), "08:02"}}, {.teacher = 40, .announcement = 10});
    rig.model.check2 = true;
    rig.runUntil(QTime(8, 2, 5));
    rig.wav.loseDevice(); // and back at once: a restarted sound server
    rig.tick();
    EXPECT_EQ(rig.wav.played, QStringList({full(rig, TeacherWav), full(rig, Anons2)}));
    EXPECT_TRUE(rig.wav.isPlaying());
}

// Breaks after lesson 1 play music; the next lesson starts at 08:50.
struct MusicBreak
{
    MusicBreak()
    {
        start(rig, {{exitBell(1), "08:40"}, {student(2), "08:50"}}, {.student = 10, .exit = 15});
        musicBreaks(rig, {QStringLiteral("/muzik/a.mp3"), QStringLiteral("/muzik/b.mp3")}, 90);
        rig.model.lessonMusic[0] = true;
    }
    ControllerRig rig;
};

TEST(SoundDeviceFault, BreakMusicIsTriedEverySecondWhileTheDeviceIsGoneAndResumesWhenItIsBack)
{
    MusicBreak b;
    ControllerRig& rig = b.rig;
    RelayWatch watch(rig);
    watch.runUntil(QTime(8, 41, 0));
    ASSERT_TRUE(rig.music.isPlaying());
    const auto tracksBefore = rig.music.played.size();

    rig.music.loseDevice();
    rig.music.deviceMissing = true;
    watch.runUntil(QTime(8, 41, 10));
    EXPECT_FALSE(rig.music.isPlaying());
    EXPECT_EQ(rig.music.played.size(), tracksBefore + 10); // one try a second
    EXPECT_EQ(rig.controller->s.breakActive, 1);

    rig.music.deviceMissing = false;
    watch.tick();
    EXPECT_TRUE(rig.music.isPlaying());
    EXPECT_TRUE(watch.relayOn());
    watch.runUntil(QTime(8, 50, 30));
    EXPECT_FALSE(rig.music.isPlaying());
    EXPECT_EQ(rig.controller->s.breakActive, 0);
    EXPECT_FALSE(watch.relayOn());
    EXPECT_TRUE(watch.faults.isEmpty()) << watch.report();
}

TEST(SoundDeviceFault, SilentBreakWithoutADeviceLeavesTheAmplifierOffUntilMusicPlays)
{
    MusicBreak b;
    ControllerRig& rig = b.rig;
    rig.wav.deviceMissing = true;
    rig.music.deviceMissing = true;
    rig.runUntil(QTime(8, 40, 0));
    EXPECT_EQ(rig.controller->s.breakActive, 1); // the break has begun, though nothing plays
    rig.runUntil(QTime(8, 40, 1));
    EXPECT_EQ(rig.port.lastValue(), 0);
    rig.runUntil(QTime(8, 45, 0));
    EXPECT_EQ(rig.port.lastValue(), 0);

    rig.music.deviceMissing = false;
    rig.tick();
    EXPECT_TRUE(rig.music.isPlaying());
    rig.tick(); // the break keeps the amplifier on from the next tick
    EXPECT_EQ(rig.port.lastValue(), 1);
    EXPECT_EQ(rig.model.label4.caption, Texts::AmpOn);
}

} // namespace
