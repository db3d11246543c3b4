#include "schedule/TextFile.h"

#include "common/Log.h"
#include "schedule/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <utility>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st = {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return regular;
#else
    return QFileInfo(path).isFile();
#endif
}

bool openRegular(QFile& file, const QString& path)
{
    // The test and the open are one: the file is opened without blocking and looked at through its
    // descriptor, so a FIFO or device put in its place, even between a check and an open, never hangs.
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT)
            qCWarning(lcFiles) << "cannot read" << path << strerror(errno);
        return false;
    }
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        qCWarning(lcFiles) << path << "is not a regular file: it is treated as missing";
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
#else
    file.setFileName(path);
    if (file.exists() && !QFileInfo(path).isFile()) {
        qCWarning(lcFiles) << path << "is not a regular file: it is treated as missing";
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (file.exists())
            qCWarning(lcFiles) << "cannot read" << path << file.errorString();
        return false;
    }
    return true;
#endif
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
    // A crash or power cut during a save must leave the old file whole: the new content goes to a
    // temporary file that replaces the old one only once it is complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qCWarning(lcFiles) << "cannot write" << path << file.errorString();
        return false;
    }
    const QByteArray bytes = encodeLines(lines);
    if (interrupt) {
        file.write(bytes.left(bytes.size() / 2));
        file.flush();
        qCWarning(lcFiles) << "write of" << path << "interrupted by the test seam";
        return false; // never committed: the unfinished temporary file is discarded
    }
    // write() only fills QSaveFile's buffer, and commit() goes on to replace the old file even when
    // writing that buffer out fails (a full disk): the file would be left empty and the save reported
    // done. flush() writes the buffer and says whether it all went out.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        qCWarning(lcFiles) << "cannot write" << path << file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
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
