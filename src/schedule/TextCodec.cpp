#include "schedule/TextCodec.h"

#include "schedule/CodePage1254.h"

#include <QStringDecoder>

#include <algorithm>

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
    return CodePage1254::decode(line);
}

QByteArray encode(const QString& text)
{
    const std::optional<QByteArray> bytes = CodePage1254::encode(text);
    if (bytes && decode(*bytes) == text)
        return *bytes;
    // Windows-1254 cannot hold this value: UTF-8 keeps it whole, and the reader knows it again.
    return text.toUtf8();
}

} // namespace TextCodec
