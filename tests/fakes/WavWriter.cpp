#include "fakes/WavWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace {
void put32(QByteArray& b, quint32 v)
{
    char raw[4];
    qToLittleEndian(v, raw);
    b.append(raw, 4);
}
void put16(QByteArray& b, quint16 v)
{
    char raw[2];
    qToLittleEndian(v, raw);
    b.append(raw, 2);
}
} // namespace

bool writeSilentWav(const QString& path, double seconds)
{
    constexpr quint32 rate = 8000;
    const auto samples = static_cast<quint32>(seconds * rate);
    QByteArray b;
    b += "RIFF";
    put32(b, 36 + samples);
    b += "WAVEfmt ";
    put32(b, 16);
    put16(b, 1); // PCM
    put16(b, 1); // mono
    put32(b, rate);
    put32(b, rate); // bytes a second
    put16(b, 1);    // bytes a frame
    put16(b, 8);    // bits a sample
    b += "data";
    put32(b, samples);
    b.append(QByteArray(int(samples), char(0x80)));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(b) == b.size();
}
