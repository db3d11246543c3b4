#include "platform/FolderInstanceGuard.h"

#include "common/Log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

FolderInstanceGuard::FolderInstanceGuard(const QString& programFolder) : m_folder(programFolder) {}

namespace {
const char LockName[] = "/.vezozil.lock";

// The process that holds a flock on the file with this device and inode, from /proc/locks: its pid
// (0 when the kernel does not say), or -1 when nobody holds one. It names the other copy in the log,
// and tells whether a lock file this process may not open is held.
qint64 flockHolder(dev_t device, ino_t inode)
{
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return -1;
    // "1: FLOCK  ADVISORY  WRITE 1234 08:01:5678 0 EOF": the device in hex, the inode in decimal.
    const QByteArray file = QStringLiteral("%1:%2:%3")
                                .arg(major(device), 2, 16, QLatin1Char('0'))
                                .arg(minor(device), 2, 16, QLatin1Char('0'))
                                .arg(inode)
                                .toLatin1();
    for (const QByteArray& line : locks.readAll().split('\n')) {
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.size() > 5 && words.at(1) == "FLOCK" && words.at(5) == file)
            return std::max(words.at(4).toLongLong(), 0LL);
    }
    return -1;
}

qint64 flockHolder(const struct stat& st)
{
    return flockHolder(st.st_dev, st.st_ino);
}

// Opens the lock file, creating it for this user alone. A link planted in its place is not followed,
// a FIFO does not block the open, and a file of another user is not used: whoever owns the file could
// hold its lock for ever. -1, with the reason logged, when the file cannot be used.
int openLockFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    // Close-on-exec: a break program or shutdown command started later must not inherit the lock
    // and keep the folder taken after this copy has ended.
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
        const int error = errno;
        if (error == ELOOP)
            qCWarning(lcApp) << "the lock file" << path << "is a symbolic link: it is not used";
        else if (error != EACCES && error != EPERM && error != EROFS)
            qCWarning(lcApp) << "the lock file" << path << "cannot be opened:" << strerror(error);
        errno = error;
        return -1;
    }
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        qCWarning(lcApp) << "the lock file" << path << "is not a regular file: it is not used";
    } else if (st.st_uid != ::geteuid()) {
        qCWarning(lcApp).nospace() << "the lock file " << path << " belongs to another user (uid "
                                   << st.st_uid
                                   << "), who could keep every start from running: it is not used. "
                                      "Remove it, and the next start makes one of its own";
    } else {
        // Mode 0600: nobody else may open it, and so nobody else can hold its lock.
        if ((st.st_mode & 07777) != 0600) {
            if (::fchmod(fd, 0600) == 0)
                qCInfo(lcApp) << "the lock file" << path << "is narrowed to its owner alone (0600)";
            else
                qCWarning(lcApp) << "the lock file" << path
                                 << "cannot be narrowed to 0600:" << strerror(errno);
        }
        return fd;
    }
    ::close(fd);
    errno = EPERM;
    return -1;
}
} // namespace

FolderInstanceGuard::~FolderInstanceGuard()
{
    if (m_fd >= 0)
        ::close(m_fd); // closing the last descriptor drops the lock
}

bool FolderInstanceGuard::anotherCopyRunning()
{
    if (m_fd >= 0)
        return false;
    const QString path = m_folder + QLatin1String(LockName);
    const int fd = openLockFile(path);
    return fd < 0 ? lockedWithoutTheFile(path, errno) : takenBeforeUs(fd);
}

bool FolderInstanceGuard::takenBeforeUs(int fd)
{
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        m_fd = fd; // held until this copy ends
        return false;
    }
    const int error = errno;
    struct stat st = {};
    if (error == EWOULDBLOCK && ::fstat(fd, &st) == 0)
        qCInfo(lcApp) << "program folder" << m_folder << "in use by process" << flockHolder(st);
    else
        qCWarning(lcApp) << "the program folder cannot be locked against a second copy:" << m_folder
                         << strerror(error);
    ::close(fd);
    return error == EWOULDBLOCK;
}

bool FolderInstanceGuard::lockedWithoutTheFile(const QString& path, int openError)
{
    // A lock file this process may not use (another user's, as when a copy of that user runs on a
    // folder it can only read) still shows whether that copy runs: the kernel lists its lock.
    struct stat st = {};
    if (::lstat(QFile::encodeName(path).constData(), &st) == 0) {
        if (const qint64 holder = flockHolder(st); holder >= 0) {
            qCInfo(lcApp) << "program folder" << m_folder << "in use by process" << holder
                          << "of another user";
            return true;
        }
        qCWarning(lcApp) << "no other copy holds" << path << "- this one runs without the one-copy lock";
        return false;
    }
    if (openError != EACCES && openError != EPERM && openError != EROFS) {
        // Better two copies than no bells.
        qCWarning(lcApp) << "the program folder cannot be locked against a second copy:" << m_folder;
        return false;
    }
    // A folder nobody here may write to has no room for a lock file; nobody can change its
    // timetable either, so the folder's own lock stands in.
    const int fd = ::open(QFile::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        qCWarning(lcApp) << "the program folder cannot be locked against a second copy:" << m_folder
                         << strerror(errno);
        return false;
    }
    return takenBeforeUs(fd);
}
