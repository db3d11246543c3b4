#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <cmath>

// Small sound files built byte by byte for the sound tests.
namespace soundfiles {

inline QByteArray le16(quint16 v)
{
    const char bytes[2] = {char(v & 0xFF), char(v >> 8)};
    return QByteArray(bytes, 2);
}

inline QByteArray le32(quint32 v)
{
    return le16(quint16(v & 0xFFFF)) + le16(quint16(v >> 16));
}

// One RIFF chunk, padded to an even length as the format wants.
inline QByteArray chunk(const char* id, const QByteArray& body)
{
    QByteArray out = QByteArray(id, 4) + le32(quint32(body.size())) + body;
    if (body.size() % 2 != 0)
        out += '\0';
    return out;
}

inline QByteArray formatBody(quint16 tag, quint16 channels, quint32 rate, quint16 bits)
{
    const quint16 blockAlign = quint16(channels * bits / 8);
    return le16(tag) + le16(channels) + le32(rate) + le32(rate * blockAlign) + le16(blockAlign) + le16(bits);
}

inline QByteArray riff(const QList<QByteArray>& chunks)
{
    QByteArray body = "WAVE";
    for (const QByteArray& c : chunks)
        body += c;
    return "RIFF" + le32(quint32(body.size())) + body;
}

// 16-bit mono samples of a sine tone.
inline QByteArray toneSamples(double seconds, int rate, double hz = 440.0, double amplitude = 0.5)
{
    QByteArray out;
    const int frames = int(seconds * rate);
    for (int n = 0; n < frames; ++n)
        out += le16(quint16(qint16(std::lround(amplitude * 32767 * std::sin(2 * M_PI * hz * n / rate)))));
    return out;
}

inline QByteArray toneWav(double seconds, int rate = 22050, double hz = 440.0)
{
    return riff(
        {chunk("fmt ", formatBody(1, 1, quint32(rate), 16)), chunk("data", toneSamples(seconds, rate, hz))});
}

// MPEG-1 layer III, 44.1 kHz mono at 128 kbit/s: frames of 1152 samples whose side information is all
// zero, which every decoder plays as silence.
inline QByteArray silentMp3(int frames)
{
    QByteArray frame = QByteArray::fromHex("FFFB90C4");
    frame += QByteArray(417 - frame.size(), '\0');
    return frame.repeated(frames);
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace soundfiles
