// The sounds generated into the build tree's program folder: every file the program plays is there,
// playable, of a sensible length and level.
#include "sound/SoundLength.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

struct Shipped
{
    const char* relative;
    double shortest; // seconds
    double longest;
};

void PrintTo(const Shipped& s, std::ostream* os)
{
    *os << s.relative;
}

const std::vector<Shipped>& shipped()
{
    static const std::vector<Shipped> files{
        {"melodiler/1.wav", 5, 15},
        {"melodiler/2.wav", 5, 15},
        {"melodiler/3.wav", 5, 15},
        {"melodiler/4.wav", 5, 15},
        {"melodiler/5.wav", 5, 15},
        {"melodiler/6.wav", 5, 15},
        {"melodiler/7.wav", 5, 15},
        {"melodiler/8.wav", 5, 15},
        {"melodiler/9.wav", 5, 15},
        {"melodiler/anons1.wav", 2, 15},
        {"melodiler/anons2.wav", 1.5, 15},
        {"marslar/siren.wav", 25, 35},
        {"marslar/saygidurusu.wav", 60.5, 75},
        {"marslar/saygi.wav", 63, 120},
        {"marslar/saygi2.wav", 123, 180},
        {"marslar/istiklal.wav", 3, 30},
    };
    return files;
}

QString programFolder()
{
    return qEnvironmentVariable("VEZOZIL_BUILD_DIR");
}

QString pathOf(const Shipped& s)
{
    return programFolder() + QLatin1Char('/') + QLatin1String(s.relative);
}

struct Pcm
{
    int rate = 0;
    int channels = 0;
    int bits = 0;
    std::vector<qint16> samples;
};

// Reads the 16-bit PCM the generator writes, walking the chunks as any reader would.
std::optional<Pcm> readPcm(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    Pcm pcm;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        const char* body = bytes.constData() + at + 8;
        if (id == "fmt " && size >= 16 && at + 8 + 16 <= bytes.size()) {
            pcm.channels = qFromLittleEndian<quint16>(body + 2);
            pcm.rate = int(qFromLittleEndian<quint32>(body + 4));
            pcm.bits = qFromLittleEndian<quint16>(body + 14);
        } else if (id == "data" && pcm.bits == 16) {
            const qsizetype n = std::min<qsizetype>(size, bytes.size() - at - 8) / 2;
            for (qsizetype i = 0; i < n; ++i)
                pcm.samples.push_back(qFromLittleEndian<qint16>(body + 2 * i));
            return pcm;
        }
        at += 8 + qsizetype(size) + (size & 1);
    }
    return std::nullopt;
}

int peakOf(const std::vector<qint16>& samples, std::size_t from = 0, std::size_t to = SIZE_MAX)
{
    int peak = 0;
    for (std::size_t i = from; i < std::min(to, samples.size()); ++i)
        peak = std::max(peak, std::abs(int(samples[i])));
    return peak;
}

class ShippedSound : public testing::TestWithParam<Shipped>
{
};

} // namespace

TEST_P(ShippedSound, IsThereWithAPlausibleLength)
{
    const std::optional<double> seconds = soundLengthSeconds(pathOf(GetParam()));
    ASSERT_TRUE(seconds.has_value()) << pathOf(GetParam()).toStdString();
    EXPECT_GE(*seconds, GetParam().shortest);
    EXPECT_LE(*seconds, GetParam().longest);
}

TEST_P(ShippedSound, IsSixteenBitMonoAtACommonRateAndLoudWithoutClipping)
{
    const std::optional<Pcm> pcm = readPcm(pathOf(GetParam()));
    ASSERT_TRUE(pcm.has_value());
    EXPECT_EQ(pcm->bits, 16);
    EXPECT_EQ(pcm->channels, 1);
    EXPECT_TRUE(pcm->rate == 22050 || pcm->rate == 44100) << pcm->rate;
    const int peak = peakOf(pcm->samples);
    EXPECT_GT(peak, 32767 / 3); // audible on a school's amplifier at its usual setting
    EXPECT_LT(peak, 32767);     // and never clipped
}

TEST_P(ShippedSound, IsHeardWithinTenMillisecondsOfItsStart)
{
    // Silence or a slow fade at the head of a file is lateness the school hears at every bell.
    const std::optional<Pcm> pcm = readPcm(pathOf(GetParam()));
    ASSERT_TRUE(pcm.has_value());
    const std::size_t tenMs = std::size_t(pcm->rate / 100);
    EXPECT_GE(peakOf(pcm->samples, 0, tenMs + 1), 32767 / 20); // 5 % of full scale
}

INSTANTIATE_TEST_SUITE_P(ProgramFolder, ShippedSound, testing::ValuesIn(shipped()),
                         [](const testing::TestParamInfo<Shipped>& info) {
                             std::string name;
                             for (const char* p = info.param.relative; *p != '\0'; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST(ShippedMelodies, AreNineDifferentSounds)
{
    std::vector<QByteArray> contents;
    for (int n = 1; n <= 9; ++n) {
        QFile file(programFolder() + QStringLiteral("/melodiler/%1.wav").arg(n));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << n;
        contents.push_back(file.readAll());
    }
    for (std::size_t a = 0; a < contents.size(); ++a) {
        for (std::size_t b = a + 1; b < contents.size(); ++b)
            EXPECT_NE(contents[a], contents[b]) << a + 1 << " and " << b + 1;
    }
}

TEST(ShippedMelodies, MelodyZeroIsNotShipped)
{
    // A melody box with nothing chosen names 0.wav: that bell is meant to stay silent.
    EXPECT_FALSE(QFile::exists(programFolder() + QStringLiteral("/melodiler/0.wav")));
}

TEST(ShippedCeremony, MomentOfSilenceHoldsAFullSilentMinuteBetweenTwoTones)
{
    const std::optional<Pcm> pcm = readPcm(programFolder() + QStringLiteral("/marslar/saygidurusu.wav"));
    ASSERT_TRUE(pcm.has_value());
    std::size_t longestRun = 0;
    std::size_t run = 0;
    for (qint16 s : pcm->samples) {
        run = s == 0 ? run + 1 : 0;
        longestRun = std::max(longestRun, run);
    }
    EXPECT_GE(double(longestRun) / pcm->rate, 60.0);
    const std::size_t second = std::size_t(pcm->rate);
    EXPECT_GT(peakOf(pcm->samples, 0, 2 * second), 3000);                    // the opening tone
    EXPECT_GT(peakOf(pcm->samples, pcm->samples.size() - 3 * second), 3000); // the closing tone
}

TEST(ShippedCeremony, AnthemPlaceholdersSpeakAfterTheirSilence)
{
    const std::vector<std::pair<const char*, double>> files{
        {"istiklal.wav", 0.0}, {"saygi.wav", 60.0}, {"saygi2.wav", 120.0}};
    for (const auto& [name, silentSeconds] : files) {
        SCOPED_TRACE(name);
        const std::optional<Pcm> pcm =
            readPcm(programFolder() + QStringLiteral("/marslar/") + QLatin1String(name));
        ASSERT_TRUE(pcm.has_value());
        const std::size_t rate = std::size_t(pcm->rate);
        const std::size_t silenceStart = std::size_t(4 * rate);
        if (silentSeconds > 0) {
            EXPECT_EQ(peakOf(pcm->samples, silenceStart, std::size_t((silentSeconds + 2) * rate)), 0);
        }
        // The spoken sentence follows the placeholder's tone (1.5 s and a pause).
        const std::size_t speech = std::size_t((silentSeconds + (silentSeconds > 0 ? 3 : 0) + 2.5) * rate);
        EXPECT_GT(peakOf(pcm->samples, speech), 3000);
    }
}
