#include "schedule/TextFile.h"

#include "common/Log.h"
#include "schedule/FileAccess.h"
#include "schedule/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace TextFile {

namespace {
bool s_interruptNextWrite = false;

// Reads one line without its line end into `buffer`, which holds MaxLineBytes + 1 bytes and is reused
// for every line. A longer line is cut there and the rest of it skipped, so no file can make a reader
// hold more than that.
QByteArray readBoundedLine(QFile& file, QByteArray& buffer)
{
    const qint64 n = file.readLine(buffer.data(), buffer.size()); // at most MaxLineBytes bytes
    QByteArray line(buffer.constData(), std::max<qint64>(n, 0));
    bool ended = line.endsWith('\n');
    while (!ended && !file.atEnd()) {
        const qint64 rest = file.readLine(buffer.data(), buffer.size());
        ended = rest <= 0 || buffer.at(rest - 1) == '\n';
    }
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

QByteArray encodeLines(const QStringList& lines)
{
    QByteArray bytes;
    for (QString l : lines) {
        // A line break inside a value would shift every later line of the file and so corrupt it.
        l.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        bytes += TextCodec::encode(l);
        bytes += "\r\n";
    }
    return bytes;
}
} // namespace

bool isRegularFile(const QString& path)
{
    return FileAccess::isRegularFile(path);
}

bool openRegular(QFile& file, const QString& path)
{
    return FileAccess::openRegular(file, path);
}

int forEachLine(const QString& path, int limit, const std::function<void(int, const QString&)>& line)
{
    QFile file;
    if (!openRegular(file, path))
        return 0;
    QByteArray buffer(MaxLineBytes + 1, Qt::Uninitialized);
    int counter = 0;
    while (counter < limit && !file.atEnd()) {
        ++counter;
        line(counter, TextCodec::decode(readBoundedLine(file, buffer)));
    }
    return counter;
}

bool writeLines(const QString& path, const QStringList& lines)
{
    const bool interrupt = std::exchange(s_interruptNextWrite, false);
    QDir().mkpath(QFileInfo(path).absolutePath());
    return FileAccess::replace(path, encodeLines(lines), interrupt);
}

namespace {
// Whether the folder lists the file under exactly this spelling. On a file system that ignores letter
// case (Windows) "Melodi.txt" then exists although the folder lists it as "MELODI.TXT": one file.
bool listedAsSpelled(const QString& path)
{
    const QFileInfo info(path);
    return info.absoluteDir().entryList(QDir::Files | QDir::Hidden).contains(info.fileName());
}
} // namespace

bool saveLines(const ProgramFolder& folder, const QString& relative, const QStringList& lines)
{
    const QString target = folder.savePath(relative);
    QStringList others = ProgramFolder::otherSpellings(target);
    // Renamed first, so that at every moment of the save exactly one spelling holds a whole file.
    if (!others.isEmpty() && !listedAsSpelled(target) && QFile::rename(others.first(), target))
        others.removeFirst();
    if (!writeLines(target, lines))
        return false;
    // Where the folder does not list the saved spelling, another spelling is the very file just saved.
    if (!listedAsSpelled(target))
        return true;
    for (const QString& other : std::as_const(others)) {
        if (!QFile::remove(other))
            qCWarning(lcFiles) << "cannot remove" << other << "beside" << target;
    }
    return true;
}

void interruptNextWrite()
{
    s_interruptNextWrite = true;
}

QString quoted(const QString& value)
{
    return QLatin1Char('"') + value + QLatin1Char('"');
}

QString unquoted(const QString& line)
{
    return line.size() < 2 ? QString() : line.mid(1, line.size() - 2);
}

QString quotedTime(const QString& line)
{
    return line.mid(1, 5);
}

} // namespace TextFile
