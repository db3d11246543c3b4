#include "schedule/FileAccess.h"

#ifndef Q_OS_WIN

#include "common/Log.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileAccess {

namespace {
// The descriptor of `path` opened without blocking, or -1; `st` describes what it opened.
int openNonBlocking(const QString& path, int flags, struct stat& st)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0 && ::fstat(fd, &st) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool writeAll(int fd, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

// A new file beside `target`, made by this call alone: O_EXCL never opens a link or a file that
// someone else put there first.
int createTemporary(const QByteArray& target, mode_t mode, QByteArray& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool fail(const QString& path, int error)
{
    qCWarning(lcFiles) << "cannot write" << path << strerror(error);
    return false;
}
} // namespace

bool openRegular(QFile& file, const QString& path)
{
    struct stat st = {};
    const int fd = openNonBlocking(path, 0, st);
    if (fd < 0) {
        if (errno != ENOENT)
            qCWarning(lcFiles) << "cannot read" << path << strerror(errno);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        qCWarning(lcFiles) << path << "is not a regular file: it is treated as missing";
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
}

bool isRegularFile(const QString& path)
{
    struct stat st = {};
    const int fd = openNonBlocking(path, O_NOFOLLOW, st);
    if (fd < 0)
        return false;
    ::close(fd);
    return S_ISREG(st.st_mode);
}

bool replace(const QString& path, const QByteArray& bytes, bool stopHalfWay)
{
    const QByteArray target = QFile::encodeName(path);
    struct stat old = {};
    const bool exists = ::lstat(target.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        qCWarning(lcFiles) << path << (S_ISLNK(old.st_mode) ? "is a symbolic link" : "is not a regular file")
                           << "- it is not written";
        return false;
    }
    QByteArray temporary;
    // Readable by nobody else until it has the old file's permissions; a new file gets the usual ones.
    const int fd = createTemporary(target, exists ? 0600 : 0666, temporary);
    if (fd < 0)
        return fail(path, errno);
    const qsizetype size = stopHalfWay ? bytes.size() / 2 : bytes.size();
    bool done = (!exists || ::fchmod(fd, old.st_mode & 0777) == 0) &&
                writeAll(fd, bytes.constData(), size) && ::fsync(fd) == 0;
    int error = done ? 0 : errno;
    if (::close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    if (stopHalfWay) {
        ::unlink(temporary.constData());
        qCWarning(lcFiles) << "write of" << path << "interrupted by the test seam";
        return false;
    }
    // rename() replaces whatever name is there, a link too, and never follows it.
    if (done && ::rename(temporary.constData(), target.constData()) != 0) {
        done = false;
        error = errno;
    }
    if (!done) {
        ::unlink(temporary.constData());
        return fail(path, error);
    }
    return true;
}

} // namespace FileAccess

#endif
