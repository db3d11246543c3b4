#include "schedule/TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
bool isAscii(const QByteArray& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
}
} // namespace

namespace TextCodec {

QString decode(const QByteArray& line)
{
    if (isAscii(line))
        return QString::fromLatin1(line);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8.decode(line);
    if (!utf8.hasError())
        return asUtf8;
    QStringDecoder cp1254("windows-1254");
    if (!cp1254.isValid()) // Qt built without ICU: keep the bytes readable rather than lose them
        return QString::fromLatin1(line);
    return cp1254.decode(line);
}

QByteArray encode(const QString& text)
{
    QStringEncoder cp1254("windows-1254", QStringEncoder::Flag::Stateless);
    if (cp1254.isValid()) {
        const QByteArray bytes = cp1254.encode(text);
        if (!cp1254.hasError() && decode(bytes) == text)
            return bytes;
    }
    // Windows-1254 cannot hold this value: UTF-8 keeps it whole, and the reader knows it again.
    return text.toUtf8();
}

} // namespace TextCodec
