#pragma once

#include <QByteArray>
#include <QString>

// Stored files are Windows-1254 text. Two rules keep Linux users' text intact:
// a line that is valid UTF-8 and holds non-ASCII bytes is read as UTF-8 (Turkish Windows-1254 text
// practically never forms valid UTF-8), and a value that Windows-1254 cannot hold is written as UTF-8.
namespace TextCodec {
QString decode(const QByteArray& line);
QByteArray encode(const QString& text);
} // namespace TextCodec
