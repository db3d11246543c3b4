#include "schedule/CodePage1254.h"

#include <qt_windows.h>

namespace {
constexpr UINT Turkish = 1254;
}

namespace CodePage1254 {

QString decode(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return QString();
    // Every byte has a meaning in this code page, so the length can only shrink, never fail.
    std::wstring wide(size_t(bytes.size()), L'\0');
    const int n = MultiByteToWideChar(Turkish, 0, bytes.constData(), int(bytes.size()), wide.data(),
                                      int(wide.size()));
    if (n <= 0) // the code page is missing from this Windows: keep the bytes readable
        return QString::fromLatin1(bytes);
    return QString::fromWCharArray(wide.data(), n);
}

std::optional<QByteArray> encode(const QString& text)
{
    if (text.isEmpty())
        return QByteArray();
    const std::wstring wide = text.toStdWString();
    // No "best fit": "Ж" must not quietly become "?" or a look-alike Latin letter in a stored file.
    BOOL lost = FALSE;
    const int size = WideCharToMultiByte(Turkish, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()), nullptr,
                                         0, nullptr, &lost);
    if (size <= 0 || lost)
        return std::nullopt;
    QByteArray bytes(size, '\0');
    WideCharToMultiByte(Turkish, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()), bytes.data(), size,
                        nullptr, &lost);
    if (lost)
        return std::nullopt;
    return bytes;
}

} // namespace CodePage1254
