#pragma once

#include "support/SoundFiles.h"

#include <QByteArray>

#include <optional>
#include <ostream>
#include <vector>

// Sound files of every shape a school may have, with the length each one plays for, or none when the
// players refuse it. Shared by the length reader's tests and the player's, so the two agree.
namespace soundfiles {

struct LengthCase
{
    const char* name;
    QByteArray bytes;
    std::optional<double> seconds;
};

inline void PrintTo(const LengthCase& c, std::ostream* os)
{
    *os << c.name;
}

inline QByteArray fmtChunk(quint16 tag, quint16 channels, quint32 rate, quint16 bits)
{
    return chunk("fmt ", formatBody(tag, channels, rate, bits));
}

inline QByteArray extensibleFmt(quint16 subTag, quint16 channels, quint32 rate, quint16 bits)
{
    // cbSize 22, valid bits, channel mask, then the sub-format GUID that begins with the plain tag.
    const QByteArray guidTail = QByteArray::fromHex("000000001000800000AA00389B71");
    return chunk("fmt ", formatBody(0xFFFE, channels, rate, bits) + le16(22) + le16(bits) + le32(0x3) +
                             le16(subTag) + guidTail);
}

inline QByteArray adpcmFmt(quint16 blockAlign, quint16 samplesPerBlock)
{
    return chunk("fmt ", le16(0x11) + le16(1) + le32(8000) + le32(4055) + le16(blockAlign) + le16(4) +
                             le16(2) + le16(samplesPerBlock));
}

inline std::vector<LengthCase> lengthCases()
{
    const QByteArray oneSecond8k = QByteArray(16000, '\x10'); // 8000 frames of 16-bit mono
    const QByteArray wholeFile = riff({fmtChunk(1, 1, 8000, 16), chunk("data", oneSecond8k)});
    return {
        {"mono 16-bit", wholeFile, 1.0},
        {"stereo 16-bit", riff({fmtChunk(1, 2, 44100, 16), chunk("data", QByteArray(44100 * 2, '\0'))}), 0.5},
        {"8-bit", riff({fmtChunk(1, 1, 11025, 8), chunk("data", QByteArray(22050, '\x80'))}), 2.0},
        {"24-bit stereo", riff({fmtChunk(1, 2, 48000, 24), chunk("data", QByteArray(48000 * 6, '\0'))}), 1.0},
        {"32-bit float", riff({fmtChunk(3, 1, 16000, 32), chunk("data", QByteArray(16000 * 4 / 4, '\0'))}),
         0.25},
        {"extensible PCM", riff({extensibleFmt(1, 2, 8000, 16), chunk("data", QByteArray(32000, '\0'))}),
         1.0},
        {"odd chunk before fmt",
         riff({chunk("LIST", "abc"), fmtChunk(1, 1, 8000, 16), chunk("data", oneSecond8k)}), 1.0},
        {"odd chunk between fmt and data",
         riff({fmtChunk(1, 1, 8000, 16), chunk("junk", "x"), chunk("data", oneSecond8k)}), 1.0},
        {"data before fmt", riff({chunk("data", oneSecond8k), fmtChunk(1, 1, 8000, 16)}), std::nullopt},
        {"chunk after data",
         riff({fmtChunk(1, 1, 8000, 16), chunk("data", oneSecond8k), chunk("LIST", "tags")}), 1.0},
        {"ADPCM with fact",
         riff({adpcmFmt(256, 505), chunk("fact", le32(4040)), chunk("data", QByteArray(2048, 0))}), 0.505},
        {"ADPCM without fact", riff({adpcmFmt(256, 505), chunk("data", QByteArray(2048, 0))}), 0.505},
        {"data cut off", wholeFile.left(wholeFile.size() - 8000), 0.5},
        {"empty data", riff({fmtChunk(1, 1, 8000, 16), chunk("data", {})}), std::nullopt},
        {"less than a frame", riff({fmtChunk(1, 2, 8000, 16), chunk("data", "abc")}), std::nullopt},
        {"header cut inside fmt", wholeFile.left(30), std::nullopt},
        {"no data chunk", riff({fmtChunk(1, 1, 8000, 16)}), std::nullopt},
        {"no fmt chunk", riff({chunk("data", oneSecond8k)}), std::nullopt},
        {"fmt too short", riff({chunk("fmt ", QByteArray(10, '\x01')), chunk("data", oneSecond8k)}),
         std::nullopt},
        {"zero sample rate", riff({fmtChunk(1, 1, 0, 16), chunk("data", oneSecond8k)}), std::nullopt},
        {"MP3 inside WAV", riff({fmtChunk(0x55, 1, 8000, 0), chunk("data", oneSecond8k)}), std::nullopt},
        {"12-bit PCM", riff({fmtChunk(1, 1, 8000, 12), chunk("data", oneSecond8k)}), std::nullopt},
        {"MP3 frames", silentMp3(100), 100 * 1152 / 44100.0},
        {"empty file", QByteArray(), std::nullopt},
        {"text", "Melodi 1\r\nMelodi 2\r\n", std::nullopt},
        {"bare RIFF", "RIFF", std::nullopt},
    };
}

} // namespace soundfiles
