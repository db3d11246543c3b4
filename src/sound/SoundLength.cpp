#include "sound/SoundLength.h"

#include "common/Log.h"
#include "schedule/TextFile.h"

#include <QFile>

#include <mpg123.h>

#include <algorithm>
#include <memory>

namespace {

enum WaveTag : quint16 {
    Pcm = 0x0001,
    MsAdpcm = 0x0002,
    IeeeFloat = 0x0003,
    ALaw = 0x0006,
    MuLaw = 0x0007,
    ImaAdpcm = 0x0011,
    Extensible = 0xFFFE,
};

quint16 le16(const QByteArray& bytes, int at)
{
    return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8);
}

quint32 le32(const QByteArray& bytes, int at)
{
    return quint32(le16(bytes, at)) | quint32(le16(bytes, at + 2)) << 16;
}

struct WaveFormat
{
    quint16 tag = 0;
    quint16 channels = 0;
    quint32 rate = 0;
    quint32 bytesPerSecond = 0;
    quint16 blockAlign = 0;
    quint16 bits = 0;
    quint16 samplesPerBlock = 0; // ADPCM only
};

std::optional<WaveFormat> parseFormat(const QByteArray& body)
{
    if (body.size() < 16)
        return std::nullopt;
    WaveFormat f{le16(body, 0), le16(body, 2), le32(body, 4), le32(body, 8), le16(body, 12), le16(body, 14)};
    if (f.tag == Extensible && body.size() >= 40)
        f.tag = le16(body, 24); // the sub-format's GUID begins with the plain tag
    if ((f.tag == MsAdpcm || f.tag == ImaAdpcm) && body.size() >= 20)
        f.samplesPerBlock = le16(body, 18);
    return f;
}

// Frames in `dataBytes` of this format, or empty for a format the players cannot decode.
std::optional<quint64> frameCount(const WaveFormat& f, quint64 dataBytes, std::optional<quint32> factFrames)
{
    if (f.channels == 0 || f.rate == 0)
        return std::nullopt;
    switch (f.tag) {
    case Pcm:
        if (f.bits != 8 && f.bits != 16 && f.bits != 24 && f.bits != 32)
            return std::nullopt;
        return dataBytes / (quint64(f.channels) * (f.bits / 8));
    case IeeeFloat:
        if (f.bits != 32)
            return std::nullopt;
        return dataBytes / (quint64(f.channels) * 4);
    case ALaw:
    case MuLaw:
        return dataBytes / f.channels;
    case MsAdpcm:
    case ImaAdpcm:
        if (factFrames)
            return *factFrames;
        if (f.blockAlign != 0 && f.samplesPerBlock != 0)
            return dataBytes / f.blockAlign * f.samplesPerBlock;
        if (f.bytesPerSecond != 0)
            return dataBytes * f.rate / f.bytesPerSecond;
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

// Walks the RIFF chunks: "fmt " and "fact" come in any order before "data"; unknown chunks are
// skipped, each padded to an even size. A data chunk longer than the file (a recording cut off) counts
// only the bytes that are there, as the decoder plays them.
std::optional<double> waveLength(QFile& file)
{
    const qint64 fileSize = file.size();
    std::optional<WaveFormat> format;
    std::optional<quint32> factFrames;
    std::optional<quint64> dataBytes;
    qint64 at = 12;
    while (at + 8 <= fileSize && file.seek(at)) {
        const QByteArray header = file.read(8);
        if (header.size() != 8)
            break;
        const QByteArray id = header.left(4);
        const quint32 size = le32(header, 4);
        const qint64 body = at + 8;
        if (id == "fmt ") {
            format = parseFormat(file.read(std::min<qint64>(size, 64)));
            if (!format)
                return std::nullopt;
        } else if (id == "fact" && size >= 4) {
            const QByteArray fact = file.read(4);
            if (fact.size() == 4)
                factFrames = le32(fact, 0);
        } else if (id == "data") {
            if (!format)
                return std::nullopt; // the decoder needs the format first, and refuses such files
            dataBytes = quint64(std::min<qint64>(size, fileSize - body));
            break;
        }
        at = body + qint64(size) + (size & 1);
    }
    if (!format || !dataBytes)
        return std::nullopt;
    const std::optional<quint64> frames = frameCount(*format, *dataBytes, factFrames);
    if (!frames || *frames == 0)
        return std::nullopt; // the mixer refuses to play a sound without a single frame
    return double(*frames) / format->rate;
}

struct Mpg123Deleter
{
    void operator()(mpg123_handle* handle) const
    {
        mpg123_close(handle);
        mpg123_delete(handle);
    }
};

// MPEG audio as the decoder counts it: a full scan, so a variable bit rate is measured, not guessed.
std::optional<double> mpegLength(const QString& path)
{
    int error = MPG123_OK;
    std::unique_ptr<mpg123_handle, Mpg123Deleter> handle(mpg123_new(nullptr, &error));
    if (!handle)
        return std::nullopt;
    mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0);
#ifdef Q_OS_WIN
    const QByteArray name = path.toUtf8();
#else
    const QByteArray name = QFile::encodeName(path);
#endif
    if (mpg123_open(handle.get(), name.constData()) != MPG123_OK)
        return std::nullopt;
    // The output format is known only once a first frame has been decoded.
    off_t frame = 0;
    unsigned char* audio = nullptr;
    size_t bytes = 0;
    const int first = mpg123_decode_frame(handle.get(), &frame, &audio, &bytes);
    if (first != MPG123_OK && first != MPG123_NEW_FORMAT)
        return std::nullopt;
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(handle.get(), &rate, &channels, &encoding) != MPG123_OK || rate <= 0)
        return std::nullopt;
    if (mpg123_scan(handle.get()) != MPG123_OK)
        return std::nullopt;
    const off_t samples = mpg123_length(handle.get());
    if (samples <= 0)
        return std::nullopt;
    return double(samples) / double(rate);
}

} // namespace

std::optional<double> soundLengthSeconds(const QString& path)
{
    QFile file;
    if (!TextFile::openRegular(file, path)) {
        qCDebug(lcSound) << "sound length: cannot open" << path;
        return std::nullopt;
    }
    const QByteArray head = file.read(12);
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WAVE")
        return waveLength(file);
    if (head.size() < 4)
        return std::nullopt;
    file.close();
    return mpegLength(path);
}
