// The SDL players, alone and under the engine, when there is no sound device at start or the device is
// taken away under a sound: bells stay silent and logged, the amplifier is not left on, and the next
// bell opens a device again without a restart. SDL's "disk" driver stands in for the sound card.
#include "engine/Controller.h"
#include "fakes/ControllerRig.h"
#include "fakes/CoreApplication.h"
#include "sound/SdlAudio.h"
#include "sound/SdlMusicPlayer.h"
#include "sound/SdlWavPlayer.h"
#include "support/LogCapture.h"
#include "support/SoundFiles.h"
#include "support/TestSupport.h"

#include <QDeadlineTimer>
#include <QThread>

#include <SDL.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace std::chrono_literals;

namespace {

const char* const NoSuchDriver = "vezozil-no-such-driver";

class SdlFault : public testing::Test
{
protected:
    void SetUp() override
    {
        ensureCoreApplication();
        useDiskDriver();
        audio = std::make_unique<SdlAudio>();
    }

    void useDiskDriver() const
    {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(rawPath()));
    }
    static void useNoDriver() { qputenv("SDL_AUDIODRIVER", NoSuchDriver); }

    QString rawPath() const { return m_dir.filePath(QStringLiteral("rendered.raw")); }
    QString tone(const QString& relative, double seconds) const
    {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        EXPECT_TRUE(soundfiles::writeFile(path, soundfiles::toneWav(seconds)));
        return path;
    }

    // The loudest sample rendered since the device last opened (the disk driver starts its file anew).
    int renderedPeak() const
    {
        QFile raw(rawPath());
        if (!raw.open(QIODevice::ReadOnly))
            return 0;
        const QByteArray bytes = raw.readAll();
        int peak = 0;
        for (int i = 0; i + 1 < bytes.size(); i += 2)
            peak = std::max(peak, std::abs(int(qint16(quint8(bytes[i]) | quint8(bytes[i + 1]) << 8))));
        return peak;
    }
    static bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = 5s)
    {
        const QDeadlineTimer deadline(limit);
        while (!done()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents();
            QThread::msleep(5);
        }
        return true;
    }
    bool rendersSound() const
    {
        return waitFor([this] { return renderedPeak() > 3000; });
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SdlAudio> audio;
};

// Ways the device can go away under the mixer while a sound plays.
struct Removal
{
    const char* name;
    std::function<void()> remove;
};

void PrintTo(const Removal& r, std::ostream* os)
{
    *os << r.name;
}

// The open device of this process: the one id that SDL does not report as stopped.
SDL_AudioDeviceID openDevice()
{
    for (SDL_AudioDeviceID id = 1; id <= 32; ++id) {
        if (SDL_GetAudioDeviceStatus(id) != SDL_AUDIO_STOPPED)
            return id;
    }
    return 0;
}

const Removal Removals[] = {
    {"DeviceClosedUnderTheMixer", [] { SDL_CloseAudioDevice(openDevice()); }},
    {"AudioSubsystemEnded", [] { SDL_QuitSubSystem(SDL_INIT_AUDIO); }},
};

class SdlDeviceRemoved : public SdlFault, public testing::WithParamInterface<Removal>
{
};

TEST_P(SdlDeviceRemoved, EndsTheSoundsAndTheNextSoundsOpenADeviceAgain)
{
    const QString bell = tone(QStringLiteral("zil.wav"), 3.0);
    const QString track = tone(QStringLiteral("parca.wav"), 3.0);
    SdlWavPlayer player(*audio);
    SdlMusicPlayer music(*audio);
    ASSERT_TRUE(player.play(bell));
    music.play(track);
    ASSERT_TRUE(player.isPlaying());
    ASSERT_TRUE(music.isPlaying());
    ASSERT_NE(openDevice(), 0u);

    GetParam().remove();
    EXPECT_FALSE(player.isPlaying());
    EXPECT_FALSE(music.isPlaying());
    EXPECT_FALSE(audio->isOpen());

    music.play(track); // the break goes on with another track
    EXPECT_TRUE(music.isPlaying());
    ASSERT_TRUE(player.play(bell));
    EXPECT_TRUE(player.isPlaying());
    EXPECT_TRUE(rendersSound());
}

INSTANTIATE_TEST_SUITE_P(Sound, SdlDeviceRemoved, testing::ValuesIn(Removals),
                         [](const testing::TestParamInfo<Removal>& info) { return info.param.name; });

// Ways of having no sound device: no driver that works, or a driver whose device cannot be opened.
struct Missing
{
    const char* name;
    bool driverWorks; // the disk driver, writing into a folder, which it cannot open
    const char* logged;
};

void PrintTo(const Missing& m, std::ostream* os)
{
    *os << m.name;
}

class SdlNoDevice : public SdlFault, public testing::WithParamInterface<Missing>
{
};

TEST_P(SdlNoDevice, StaysSilentLogsTheCauseOnceAndPlaysOnceADeviceIsThere)
{
    const QString bell = tone(QStringLiteral("zil.wav"), 0.5);
    const QString track = tone(QStringLiteral("parca.wav"), 0.5);
    SdlWavPlayer player(*audio);
    SdlMusicPlayer music(*audio);
    if (GetParam().driverWorks)
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(m_dir.path()));
    else
        useNoDriver();
    LogCapture log("vezozil.sound", true);
    player.prepare({bell}); // as three seconds before a bell
    for (int second = 0; second < 5; ++second) {
        EXPECT_FALSE(player.play(bell));
        music.play(track); // a break retries every second
    }
    EXPECT_FALSE(player.isPlaying());
    EXPECT_FALSE(music.isPlaying());
    EXPECT_FALSE(audio->isOpen());
    EXPECT_EQ(log.count(QString::fromLatin1(GetParam().logged)), 1);

    useDiskDriver();
    player.prepare({bell});
    ASSERT_TRUE(player.play(bell));
    EXPECT_TRUE(rendersSound());
    EXPECT_EQ(log.count(QStringLiteral("works again")), 1);
}

INSTANTIATE_TEST_SUITE_P(Sound, SdlNoDevice,
                         testing::Values(Missing{"NoDriver", false, "SDL audio could not start"},
                                         Missing{"DeviceWillNotOpen", true, "could not be opened"}),
                         [](const testing::TestParamInfo<Missing>& info) { return info.param.name; });

TEST_F(SdlFault, SoundsPreparedForALostDeviceAreDecodedAgainForTheNextOne)
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "needs /dev/full to make the device fail";
    const QString bell = tone(QStringLiteral("zil.wav"), 0.5);
    const QString other = tone(QStringLiteral("diger.wav"), 0.5);
    SdlWavPlayer player(*audio);
    qputenv("SDL_DISKAUDIOFILE", "/dev/full"); // every write fails: SDL reports the device lost
    player.prepare({bell, other});
    ASSERT_TRUE(waitFor([&] { return audio->isLost() || !audio->isOpen(); }, 3s));

    useDiskDriver();
    ASSERT_TRUE(player.play(bell));
    EXPECT_TRUE(rendersSound());
    ASSERT_TRUE(player.play(other));
    EXPECT_TRUE(player.isPlaying());
}

// A controller that plays through SDL, with fakes for everything else, on the rig's program folder.
struct SdlEngine
{
    explicit SdlEngine(SdlAudio& audio) : wav(audio)
    {
        QDir(rig.dir.path()).mkpath(QStringLiteral("melodiler"));
        rig.writeFile(QStringLiteral("port.txt"), "1\r\n");
        rig.writeFile(QStringLiteral("melodi.txt"), "0\r\n1\r\n");
        rig.writeDay(QStringLiteral("Pazartesi"), {{Slots::lessonSlot(1, Slots::Column::Student), "08:00"},
                                                   {Slots::lessonSlot(1, Slots::Column::Teacher), "08:01"}});
    }
    void runUntil(const QTime& until)
    {
        while (rig.clock.now().time() < until)
            tick();
    }
    void tick()
    {
        rig.clock.advanceSecond();
        controller.Timer1_Timer();
    }
    QString melody(int n) const { return rig.dir.filePath(QStringLiteral("melodiler/%1.wav").arg(n)); }

    ControllerRig rig{QDateTime(QDate(2026, 12, 7), QTime(7, 59, 50))};
    SdlWavPlayer wav;
    MainModel model;
    Controller controller{
        model,
        Devices{rig.clock, rig.port, wav, rig.music, rig.desktop, rig.dialogs, rig.shell, rig.instance, rig.clockSync},
        ProgramFolder(rig.dir.path())};
};

TEST_F(SdlFault, EngineLogsTheBellsSilentWithoutADeviceAndRingsOnceOneAppears)
{
    SdlEngine e(*audio);
    soundfiles::writeFile(e.melody(1), soundfiles::toneWav(0.3));
    soundfiles::writeFile(e.melody(2), soundfiles::toneWav(0.3));
    useNoDriver();
    LogCapture log("vezozil.sound");
    ASSERT_TRUE(e.controller.Form_Load());
    e.runUntil(QTime(8, 0, 5));
    EXPECT_EQ(log.count(QStringLiteral("sound could not be played")), 1);
    EXPECT_EQ(e.rig.port.lastValue(), 0);
    EXPECT_EQ(e.model.text1, QStringLiteral("08:00"));

    useDiskDriver(); // the sound server has started
    e.runUntil(QTime(8, 1, 0));
    ASSERT_TRUE(e.wav.isPlaying());
    e.tick();
    EXPECT_EQ(e.rig.port.lastValue(), 1);
    EXPECT_TRUE(rendersSound());
    ASSERT_TRUE(waitFor([&] { return !e.wav.isPlaying(); }));
    e.tick();
    EXPECT_EQ(e.rig.port.lastValue(), 0);
    EXPECT_EQ(log.count(QStringLiteral("sound could not be played")), 1);
}

TEST_F(SdlFault, EngineSwitchesTheAmplifierOffWhenTheDeviceGoesAndRingsTheNextBell)
{
    SdlEngine e(*audio);
    soundfiles::writeFile(e.melody(1), soundfiles::toneWav(10.0));
    soundfiles::writeFile(e.melody(2), soundfiles::toneWav(0.3));
    ASSERT_TRUE(e.controller.Form_Load());
    e.runUntil(QTime(8, 0, 2));
    ASSERT_TRUE(e.wav.isPlaying());
    ASSERT_EQ(e.rig.port.lastValue(), 1);

    SDL_CloseAudioDevice(openDevice()); // the sound server went away under the melody
    e.tick();
    EXPECT_EQ(e.rig.port.lastValue(), 0);
    EXPECT_EQ(e.model.label4.caption, Texts::AmpOff);

    e.runUntil(QTime(8, 1, 1));
    EXPECT_TRUE(e.wav.isPlaying());
    EXPECT_EQ(e.rig.port.lastValue(), 1);
    EXPECT_TRUE(rendersSound());
}

} // namespace
