#include "schedule/TextFile.h"

#include "engine/Log.h"
#include "schedule/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace TextFile {

namespace {
// Reads one line without its line end. A line longer than MaxLineBytes is cut there and the rest of
// it skipped, so no file can make a reader hold more than that.
QByteArray readBoundedLine(QFile& file)
{
    QByteArray line = file.readLine(MaxLineBytes + 1);
    bool ended = line.endsWith('\n');
    while (!ended && !file.atEnd()) {
        const QByteArray rest = file.readLine(MaxLineBytes + 1);
        ended = rest.endsWith('\n');
    }
    if (line.size() > MaxLineBytes)
        line.truncate(MaxLineBytes);
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}
} // namespace

int forEachLine(const QString& path, int limit, const std::function<void(int, const QString&)>& line)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (file.exists())
            qCWarning(lcFiles) << "cannot read" << path << file.errorString();
        return 0;
    }
    int counter = 0;
    while (counter < limit && !file.atEnd()) {
        ++counter;
        line(counter, TextCodec::decode(readBoundedLine(file)));
    }
    return counter;
}

bool writeLines(const QString& path, const QStringList& lines)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    // A crash or power cut during a save must leave the old file whole: the new content goes to a
    // temporary file that replaces the old one only once it is complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qCWarning(lcFiles) << "cannot write" << path << file.errorString();
        return false;
    }
    QByteArray bytes;
    for (const QString& l : lines) {
        bytes += TextCodec::encode(l);
        bytes += "\r\n";
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        qCWarning(lcFiles) << "cannot write" << path << file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

QString quoted(const QString& value) { return QLatin1Char('"') + value + QLatin1Char('"'); }

QString unquoted(const QString& line) { return line.size() < 2 ? QString() : line.mid(1, line.size() - 2); }

QString quotedTime(const QString& line) { return line.mid(1, 5); }

} // namespace TextFile
