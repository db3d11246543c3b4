#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Windows-1254, the code page of the stored files, on this platform. Linux's Qt knows it through ICU;
// the Windows build's Qt has no ICU, and Windows itself converts it.
namespace CodePage1254 {
QString decode(const QByteArray& bytes);
// Nothing when the text holds a character that Windows-1254 cannot write.
std::optional<QByteArray> encode(const QString& text);
} // namespace CodePage1254
