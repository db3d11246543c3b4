#include "schedule/CodePage1254.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace CodePage1254 {

QString decode(const QByteArray& bytes)
{
    QStringDecoder cp1254("windows-1254");
    if (!cp1254.isValid()) // Qt built without ICU: keep the bytes readable rather than lose them
        return QString::fromLatin1(bytes);
    return cp1254.decode(bytes);
}

std::optional<QByteArray> encode(const QString& text)
{
    QStringEncoder cp1254("windows-1254", QStringEncoder::Flag::Stateless);
    if (!cp1254.isValid())
        return std::nullopt;
    const QByteArray bytes = cp1254.encode(text);
    if (cp1254.hasError())
        return std::nullopt;
    return bytes;
}

} // namespace CodePage1254
