#include "sound/SoundLength.h"

#include <QFile>
#include <QtEndian>

namespace {
quint32 le32(const char* p)
{
    return qFromLittleEndian<quint32>(p);
}
} // namespace

// RIFF/WAVE: the data chunk's size divided by the format's byte rate.
std::optional<double> soundLengthSeconds(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray head = f.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return std::nullopt;
    quint32 byteRate = 0;
    for (;;) {
        const QByteArray chunk = f.read(8);
        if (chunk.size() < 8)
            return std::nullopt;
        const quint32 size = le32(chunk.constData() + 4);
        if (chunk.startsWith("fmt ")) {
            const QByteArray fmt = f.read(size);
            if (fmt.size() < 16)
                return std::nullopt;
            byteRate = le32(fmt.constData() + 8);
            if (size % 2)
                f.read(1);
        } else if (chunk.startsWith("data")) {
            if (byteRate == 0)
                return std::nullopt;
            // A writer that never finished its header leaves the size open: take what is there.
            const qint64 available = f.size() - f.pos();
            return double(std::min<qint64>(size, available)) / byteRate;
        } else if (!f.seek(f.pos() + size + (size % 2))) {
            return std::nullopt;
        }
    }
}
