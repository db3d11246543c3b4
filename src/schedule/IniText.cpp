#include "schedule/IniText.h"

#include <QStringList>

namespace {
// Key and section names: QSettings writes a character it may not write plainly as %XX or %UXXXX.
QString unescapedKey(const QString& raw)
{
    QString key;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const bool wide = raw.mid(i + 1, 1) == QLatin1String("U");
        const qsizetype digits = wide ? 4 : 2;
        bool ok = false;
        const uint code = raw.at(i) == QLatin1Char('%') ? raw.mid(i + 1 + wide, digits).toUInt(&ok, 16) : 0;
        if (ok && raw.mid(i + 1 + wide, digits).size() == digits) {
            key += QChar(char16_t(code));
            i += wide + digits;
        } else {
            key += raw.at(i);
        }
    }
    return key;
}

bool isHexDigit(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// One backslash escape of a value, at `i` (just after the backslash); moves `i` past it.
QChar escaped(const QString& text, qsizetype& i)
{
    const QChar c = i < text.size() ? text.at(i++) : QLatin1Char('\\');
    static const QString letters = QStringLiteral("abfnrtv");
    static const QString codes = QStringLiteral("\a\b\f\n\r\t\v");
    if (const qsizetype at = letters.indexOf(c); at >= 0)
        return codes.at(at);
    if (c != QLatin1Char('x'))
        return c;
    qsizetype end = i;
    while (end < text.size() && end - i < 4 && isHexDigit(text.at(end).unicode()))
        ++end;
    const uint code = text.mid(i, end - i).toUInt(nullptr, 16);
    i = end;
    return QChar(char16_t(code));
}

// A value: comma-separated parts, each quoted or plain. Blanks outside quotes at either end of a
// part are dropped, and a ';' outside quotes starts a comment.
QStringList unescapedValues(const QString& text)
{
    QStringList parts{QString()};
    qsizetype kept = 0; // the length of the part up to its last character that is not a plain blank
    bool quoted = false;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i++);
        const bool plainBlank = !quoted && c.isSpace();
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            continue;
        }
        if (!quoted && c == QLatin1Char(';'))
            break;
        if (!quoted && c == QLatin1Char(',')) {
            parts.last().truncate(kept);
            parts << QString();
            kept = 0;
            continue;
        }
        if (plainBlank && parts.last().isEmpty())
            continue;
        parts.last() += c == QLatin1Char('\\') ? escaped(text, i) : c;
        if (!plainBlank)
            kept = parts.last().size();
    }
    parts.last().truncate(kept);
    return parts;
}
} // namespace

IniText::IniText(const QByteArray& bytes)
{
    QString section;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        readLine(line.trimmed(), section);
    }
}

void IniText::readLine(const QByteArray& line, QString& section)
{
    if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
        return;
    if (line.startsWith('[')) {
        const qsizetype end = line.indexOf(']');
        section = unescapedKey(QString::fromUtf8(line.mid(1, end < 0 ? -1 : end - 1).trimmed()));
        if (section.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
            section.clear();
        return;
    }
    const qsizetype equals = line.indexOf('=');
    if (equals <= 0)
        return;
    const QString key = unescapedKey(QString::fromUtf8(line.left(equals).trimmed()));
    QStringList parts = unescapedValues(QString::fromUtf8(line.mid(equals + 1).trimmed()));
    // A value that begins with '@' is written with it doubled, as '@' marks a value of another type.
    for (QString& part : parts) {
        if (part.startsWith(QLatin1String("@@")))
            part.remove(0, 1);
    }
    m_values.insert(section.isEmpty() ? key : section + QLatin1Char('/') + key,
                    parts.size() == 1 ? parts.first() : QString());
}
