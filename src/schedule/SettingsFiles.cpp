#include "schedule/SettingsFiles.h"

#include "schedule/TextFile.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace SettingsFiles {

namespace {
const QString UygulamaName = QStringLiteral("uygulama.txt");
const QString MelodiReadName = QStringLiteral("melodi.txt");
const QString MelodiSaveName = QStringLiteral("Melodi.txt");
const QString KapatName = QStringLiteral("kapat.txt");
const QString MuziklerName = QStringLiteral("muzikler.txt");
const QString PortName = QStringLiteral("port.txt");

// The whole line as a whole number, or none: blanks around it are allowed, anything else is not.
std::optional<int> integerValue(const QString& line)
{
    bool ok = false;
    const int n = line.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(n) : std::nullopt;
}

// A quoted text value, or none when the line is too short to hold both quotes.
std::optional<QString> textValue(const QString& line)
{
    return line.size() < 2 ? std::nullopt : std::optional<QString>(TextFile::unquoted(line));
}

std::optional<QString> timeValue(const QString& line)
{
    return line.size() < 2 ? std::nullopt : std::optional<QString>(TextFile::quotedTime(line));
}

using LineHandler = std::function<void(int number, const QString& text)>;

void readLines(const ProgramFolder& folder, const QString& name, int limit, const LineHandler& handler)
{
    TextFile::forEachLine(folder.path(name), limit, handler);
}
} // namespace

Uygulama readUygulama(const ProgramFolder& folder)
{
    Uygulama u;
    readLines(folder, UygulamaName, TimetableLimit, [&](int number, const QString& text) {
        if (number == 1)
            u.programPath = textValue(text);
        else if (number == 2)
            u.imageName = textValue(text);
        else if (number == 3)
            u.check33 = integerValue(text);
    });
    return u;
}

bool writeUygulama(const ProgramFolder& folder, const QString& programPath, const QString& imageName,
                   int check33)
{
    return TextFile::saveLines(folder, UygulamaName,
                               {TextFile::quoted(programPath), TextFile::quoted(imageName),
                                QString::number(check33)});
}

Melodi readMelodi(const ProgramFolder& folder)
{
    Melodi m;
    readLines(folder, MelodiReadName, TimetableLimit, [&](int number, const QString& text) {
        if (number > MelodiLines)
            return;
        m.lines[number - 1] = integerValue(text);
        if (number == 9)
            m.volumeText = text;
    });
    return m;
}

bool writeMelodi(const ProgramFolder& folder, const std::array<int, MelodiLines>& lines)
{
    QStringList text;
    for (int value : lines)
        text << QString::number(value);
    // Saved under this spelling; an existing "melodi.txt" of any case is replaced, not left beside it.
    return TextFile::saveLines(folder, MelodiSaveName, text);
}

int leadingNumber(const QString& text)
{
    // Blanks, an optional sign, digits and an optional point with more digits, as a number is
    // written; the rest of the text is ignored. Rounded to the nearest whole number and kept in range.
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    while (i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'))
        ++i;
    if (i < text.size() && text.at(i) == QLatin1Char('.')) {
        ++i;
        while (i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'))
            ++i;
    }
    bool ok = false;
    const double value = text.mid(start, i - start).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0;
    constexpr double Max = std::numeric_limits<int>::max();
    constexpr double Min = std::numeric_limits<int>::min();
    return static_cast<int>(std::round(std::clamp(value, Min, Max)));
}

Kapat readKapat(const ProgramFolder& folder)
{
    Kapat k;
    readLines(folder, KapatName, TimetableLimit, [&](int number, const QString& text) {
        if (number == 1)
            k.weekday = timeValue(text);
        else if (number == 2)
            k.weekend = timeValue(text);
    });
    return k;
}

bool writeKapat(const ProgramFolder& folder, const QString& weekday, const QString& weekend)
{
    return TextFile::saveLines(folder, KapatName, {TextFile::quoted(weekday), TextFile::quoted(weekend)});
}

QStringList readMuzikler(const ProgramFolder& folder)
{
    QStringList entries;
    readLines(folder, MuziklerName, MusicListLimit, [&](int, const QString& text) {
        // A line too short to hold a quoted path (a stray blank line) adds no entry.
        if (const std::optional<QString> entry = textValue(text))
            entries << *entry;
    });
    return entries;
}

bool writeMuzikler(const ProgramFolder& folder, const QStringList& entries)
{
    QStringList lines;
    for (const QString& e : entries)
        lines << TextFile::quoted(e);
    return TextFile::saveLines(folder, MuziklerName, lines);
}

std::optional<int> readPort(const ProgramFolder& folder)
{
    std::optional<int> port;
    readLines(folder, PortName, PortLimit, [&](int, const QString& text) {
        if (const std::optional<int> n = integerValue(text))
            port = n;
    });
    return port;
}

bool writePort(const ProgramFolder& folder, int portNumber)
{
    return TextFile::saveLines(folder, PortName, {QString::number(portNumber)});
}

} // namespace SettingsFiles
