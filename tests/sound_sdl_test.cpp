// The SDL players on SDL's "disk" audio driver, which plays in real time into a file of raw samples.
#include "sound/SdlAudio.h"
#include "sound/SdlMusicPlayer.h"
#include "sound/SdlWavPlayer.h"

#include "support/SoundCases.h"
#include "support/SoundFiles.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace std::chrono_literals;
using namespace soundfiles;

namespace {

// Collects what the sound code logs, and still shows it.
class LogCapture
{
public:
    LogCapture() { s_previous = qInstallMessageHandler(&LogCapture::handle); }
    ~LogCapture() { qInstallMessageHandler(s_previous); }
    int count(const QString& part) const { return int(s_messages.filter(part).size()); }
    static void clear() { s_messages.clear(); }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type != QtDebugMsg && QLatin1String(context.category) == QLatin1String("vezozil.sound"))
            s_messages << message;
        if (s_previous != nullptr)
            s_previous(type, context, message);
    }
    static inline QStringList s_messages;
    static inline QtMessageHandler s_previous = nullptr;
};

class SdlSound : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        // The device's idle timer needs an event loop.
        static int argc = 1;
        static char name[] = "sound_sdl_test";
        static char* argv[] = {name, nullptr};
        if (QCoreApplication::instance() == nullptr)
            new QCoreApplication(argc, argv);
    }

    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        useDiskDriver(rawPath());
        LogCapture::clear();
        audio = std::make_unique<SdlAudio>();
    }

    static void useDiskDriver(const QString& output)
    {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output));
    }

    QString rawPath() const { return m_dir.filePath(QStringLiteral("rendered.raw")); }

    QString file(const QString& name, const QByteArray& bytes) const
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(writeFile(path, bytes));
        return path;
    }

    QString tone(const QString& name, double seconds) const { return file(name, toneWav(seconds)); }

    // The loudest sample the device has rendered since it last opened.
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

    // Runs the event loop until `done` holds or `limit` has passed.
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

    static void spin(std::chrono::milliseconds duration)
    {
        waitFor([] { return false; }, duration);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SdlAudio> audio;
};

} // namespace

TEST_F(SdlSound, ShippedMelodyRendersSound)
{
    const QString melody = qEnvironmentVariable("VEZOZIL_BUILD_DIR") + QStringLiteral("/melodiler/1.wav");
    SdlWavPlayer player(*audio);
    ASSERT_TRUE(player.play(melody));
    EXPECT_TRUE(player.isPlaying());
    EXPECT_TRUE(waitFor([&] { return renderedPeak() > 3000; }));
    player.close();
    EXPECT_FALSE(player.isPlaying());
}

TEST_F(SdlSound, SoundIsPlayingFromItsStartToItsEnd)
{
    SdlWavPlayer player(*audio);
    ASSERT_TRUE(player.play(tone(QStringLiteral("kisa.wav"), 0.4)));
    EXPECT_TRUE(player.isPlaying());
    QThread::msleep(100);
    EXPECT_TRUE(player.isPlaying());
    EXPECT_TRUE(waitFor([&] { return !player.isPlaying(); }));
}

TEST_F(SdlSound, CloseEndsTheSound)
{
    SdlWavPlayer player(*audio);
    ASSERT_TRUE(player.play(tone(QStringLiteral("uzun.wav"), 3.0)));
    player.close();
    EXPECT_FALSE(player.isPlaying());
    player.close(); // harmless twice
}

TEST_F(SdlSound, UnplayableFilesAreRefusedLoggedAndCutOffTheSoundBefore)
{
    const QByteArray wave = toneWav(1.0);
    const std::vector<std::pair<const char*, QString>> cases{
        {"missing", m_dir.filePath(QStringLiteral("melodiler/0.wav"))},
        {"empty", file(QStringLiteral("bos.wav"), QByteArray())},
        {"garbage", file(QStringLiteral("cop.wav"), QByteArray(5000, '\x5A'))},
        {"text", file(QStringLiteral("metin.wav"), "\"Melodi 1\"\r\n")},
        {"header cut off", file(QStringLiteral("yarim.wav"), wave.left(30))},
        {"folder", m_dir.path()},
    };
    const QString longTone = tone(QStringLiteral("uzun.wav"), 3.0);
    SdlWavPlayer player(*audio);
    LogCapture log;
    for (const auto& [what, path] : cases) {
        SCOPED_TRACE(what);
        ASSERT_TRUE(player.play(longTone));
        EXPECT_FALSE(player.play(path));
        EXPECT_FALSE(player.isPlaying());
        EXPECT_GE(log.count(path), 1);
    }
}

TEST_F(SdlSound, PlaysExactlyTheFilesWhoseLengthIsKnown)
{
    // The rehearsal simulates sounds from their lengths: it must refuse what the player refuses.
    SdlWavPlayer player(*audio);
    int n = 0;
    for (const LengthCase& c : lengthCases()) {
        SCOPED_TRACE(c.name);
        const QString path = file(QStringLiteral("%1.wav").arg(++n), c.bytes);
        EXPECT_EQ(player.play(path), c.seconds.has_value());
        player.close();
    }
}

TEST_F(SdlSound, PrepareLeavesWhatPlaysAlone)
{
    const QString a = tone(QStringLiteral("a.wav"), 0.6);
    const QString b = tone(QStringLiteral("b.wav"), 0.3);
    SdlWavPlayer player(*audio);
    player.prepare({a, b});
    EXPECT_FALSE(player.isPlaying());
    ASSERT_TRUE(player.play(a)); // decoded ahead
    player.prepare({b});         // no longer wanted ahead, but still playing
    EXPECT_TRUE(player.isPlaying());
    EXPECT_TRUE(waitFor([&] { return !player.isPlaying(); }));
    ASSERT_TRUE(player.play(b));
    EXPECT_TRUE(player.isPlaying());
}

TEST_F(SdlSound, PreparedFileChangedOnDiskIsReadAgain)
{
    const QString melody = tone(QStringLiteral("1.wav"), 0.3);
    SdlWavPlayer player(*audio);
    player.prepare({melody});
    ASSERT_TRUE(writeFile(melody, "no longer a sound"));
    EXPECT_FALSE(player.play(melody));
}

TEST_F(SdlSound, PreparedSoundsKeepTheDeviceOpenForTheirBell)
{
    audio->setIdleDelay(20ms);
    SdlWavPlayer player(*audio);
    player.prepare({tone(QStringLiteral("1.wav"), 0.3)});
    spin(300ms);
    EXPECT_TRUE(audio->isOpen());
}

TEST_F(SdlSound, DeviceClosesWhenQuietAndOpensForTheNextSound)
{
    audio->setIdleDelay(100ms);
    int opened = 0;
    int closed = 0;
    QObject counting; // ends the connections with the counters
    QObject::connect(audio.get(), &SdlAudio::opened, &counting, [&] { ++opened; });
    QObject::connect(audio.get(), &SdlAudio::closed, &counting, [&] { ++closed; });
    const QString bell = tone(QStringLiteral("zil.wav"), 0.2);
    SdlWavPlayer player(*audio);
    EXPECT_FALSE(audio->isOpen());
    ASSERT_TRUE(player.play(bell));
    EXPECT_TRUE(audio->isOpen());
    EXPECT_TRUE(waitFor([&] { return !audio->isOpen(); }));
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(player.isPlaying());

    ASSERT_TRUE(player.play(bell));
    EXPECT_TRUE(player.isPlaying());
    EXPECT_EQ(opened, 2);
    EXPECT_TRUE(waitFor([&] { return renderedPeak() > 3000; }));
}

TEST_F(SdlSound, DeviceStaysOpenWhileASoundPlays)
{
    audio->setIdleDelay(20ms);
    SdlWavPlayer player(*audio);
    ASSERT_TRUE(player.play(tone(QStringLiteral("uzun.wav"), 2.0)));
    spin(300ms);
    EXPECT_TRUE(audio->isOpen());
    EXPECT_TRUE(player.isPlaying());
}

TEST_F(SdlSound, NoDeviceStaysSilentAndALaterSoundPlays)
{
    qputenv("SDL_AUDIODRIVER", "vezozil-no-such-driver");
    const QString bell = tone(QStringLiteral("zil.wav"), 0.3);
    SdlWavPlayer player(*audio);
    SdlMusicPlayer music(*audio);
    LogCapture log;
    EXPECT_FALSE(player.play(bell));
    EXPECT_FALSE(player.play(bell));
    music.play(bell);
    EXPECT_FALSE(player.isPlaying());
    EXPECT_FALSE(music.isPlaying());
    EXPECT_FALSE(audio->isOpen());
    EXPECT_EQ(log.count(QStringLiteral("SDL audio could not start")), 1); // once per cause, not per sound

    useDiskDriver(rawPath()); // the sound server is back
    ASSERT_TRUE(player.play(bell));
    EXPECT_TRUE(player.isPlaying());
    EXPECT_EQ(log.count(QStringLiteral("works again")), 1);
}

TEST_F(SdlSound, LostDeviceEndsTheSoundAndIsOpenedAgain)
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "needs /dev/full to make the device fail";
    useDiskDriver(QStringLiteral("/dev/full")); // every write fails: SDL reports the device lost
    const QString bell = tone(QStringLiteral("zil.wav"), 3.0);
    SdlWavPlayer player(*audio);
    ASSERT_TRUE(player.play(bell));
    EXPECT_TRUE(waitFor([&] { return !player.isPlaying(); }, 2s));
    EXPECT_FALSE(audio->isOpen());

    useDiskDriver(rawPath());
    ASSERT_TRUE(player.play(bell));
    EXPECT_TRUE(waitFor([&] { return renderedPeak() > 3000; }));
}

TEST(SdlMusicVolume, OperatorScaleMapsOntoTheMixerScale)
{
    const std::vector<std::pair<int, int>> cases{{0, 0},     {5, 6},  {50, 64},  {95, 122},
                                                 {100, 128}, {-5, 0}, {130, 128}};
    for (const auto& [volume, mixer] : cases)
        EXPECT_EQ(SdlMusicPlayer::mixerVolume(volume), mixer) << volume;
}

TEST_F(SdlSound, MusicPlaysOnceAndEnds)
{
    SdlMusicPlayer music(*audio);
    music.play(tone(QStringLiteral("parca.wav"), 0.3));
    EXPECT_TRUE(music.isPlaying());
    EXPECT_TRUE(waitFor([&] { return !music.isPlaying(); }));
}

TEST_F(SdlSound, Mp3MusicPlaysUntilStopped)
{
    SdlMusicPlayer music(*audio);
    music.play(file(QStringLiteral("şarkı.mp3"), silentMp3(200)));
    EXPECT_TRUE(music.isPlaying());
    music.stop();
    EXPECT_FALSE(music.isPlaying());
    music.stop(); // harmless twice
}

TEST_F(SdlSound, UnplayableMusicNeverStartsAndIsLogged)
{
    const std::vector<QString> sources{
        QString(),
        m_dir.filePath(QStringLiteral("yok.mp3")),
        file(QStringLiteral("cop.mp3"), QByteArray(3000, '\x11')),
    };
    SdlMusicPlayer music(*audio);
    LogCapture log;
    for (const QString& source : sources) {
        music.play(tone(QStringLiteral("onceki.wav"), 2.0));
        ASSERT_TRUE(music.isPlaying());
        music.play(source);
        EXPECT_FALSE(music.isPlaying()) << source.toStdString();
    }
    EXPECT_EQ(log.count(QStringLiteral("music")), 3);
}

TEST_F(SdlSound, SameBadMusicRowIsLoggedOnceWhileTheBreakRetries)
{
    const QString missing = m_dir.filePath(QStringLiteral("yok.mp3"));
    const QString other = m_dir.filePath(QStringLiteral("baska.mp3"));
    SdlMusicPlayer music(*audio);
    LogCapture log;
    for (int second = 0; second < 5; ++second)
        music.play(missing);
    music.play(other);
    music.play(missing);
    EXPECT_EQ(log.count(missing), 2);
    EXPECT_EQ(log.count(other), 1);
}

TEST_F(SdlSound, MusicVolumeAppliesToTheMusicOnly)
{
    SdlMusicPlayer music(*audio);
    SdlWavPlayer bell(*audio);
    music.setVolume(0);
    music.play(tone(QStringLiteral("parca.wav"), 3.0));
    ASSERT_TRUE(music.isPlaying());
    spin(200ms);
    EXPECT_EQ(renderedPeak(), 0);

    ASSERT_TRUE(bell.play(tone(QStringLiteral("zil.wav"), 0.5)));
    EXPECT_TRUE(waitFor([&] { return renderedPeak() > 3000; }));
}

TEST_F(SdlSound, MusicVolumeChangesWhilePlaying)
{
    SdlMusicPlayer music(*audio);
    music.setVolume(0);
    music.play(tone(QStringLiteral("parca.wav"), 3.0));
    spin(100ms);
    EXPECT_EQ(renderedPeak(), 0);
    music.setVolume(100);
    EXPECT_TRUE(waitFor([&] { return renderedPeak() > 3000; }));
}
