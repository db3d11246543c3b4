#include "platform/FolderInstanceGuard.h"

#include "common/Log.h"

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <QCryptographicHash>
#include <qt_windows.h>
#else
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

FolderInstanceGuard::FolderInstanceGuard(const QString& programFolder) : m_folder(programFolder) {}

#ifdef Q_OS_WIN

namespace {
// The same folder by any spelling is one name: canonical, native separators, one letter case.
std::wstring mutexName(const QString& folder)
{
    const QFileInfo info(folder);
    QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty())
        canonical = QDir::cleanPath(info.absoluteFilePath());
    const QByteArray key = QDir::toNativeSeparators(canonical).toLower().toUtf8();
    const QString hash =
        QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(32));
    // Global: copies in other sessions (another user, a service) see the same mutex.
    return (QStringLiteral("Global\\VezoZil-") + hash).toStdWString();
}
} // namespace

FolderInstanceGuard::~FolderInstanceGuard()
{
    if (m_mutex)
        CloseHandle(static_cast<HANDLE>(m_mutex));
}

bool FolderInstanceGuard::anotherCopyRunning()
{
    if (m_mutex)
        return false;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, mutexName(m_folder).c_str());
    const DWORD error = GetLastError();
    if (!mutex) {
        // Another user's copy made it and we may not open it: it is there, so a copy runs.
        if (error == ERROR_ACCESS_DENIED) {
            qCInfo(lcApp) << "program folder in use by another user's copy:" << m_folder;
            return true;
        }
        qCWarning(lcApp) << "single-instance mutex cannot be made for" << m_folder << "error" << error;
        return false;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        qCInfo(lcApp) << "program folder in use by another copy:" << m_folder;
        return true;
    }
    m_mutex = mutex;
    return false;
}

#else

namespace {
// The process that holds a flock on the file behind `fd`, from /proc/locks; 0 when it is not known.
// Only for the log, so that whoever looks can find the other copy.
qint64 lockHolder(int fd)
{
    struct stat st = {};
    QFile locks(QStringLiteral("/proc/locks"));
    if (::fstat(fd, &st) != 0 || !locks.open(QIODevice::ReadOnly))
        return 0;
    // "1: FLOCK  ADVISORY  WRITE 1234 08:01:5678 0 EOF": the device in hex, the inode in decimal.
    const QByteArray file = QStringLiteral("%1:%2:%3")
                                .arg(major(st.st_dev), 2, 16, QLatin1Char('0'))
                                .arg(minor(st.st_dev), 2, 16, QLatin1Char('0'))
                                .arg(st.st_ino)
                                .toLatin1();
    for (const QByteArray& line : locks.readAll().split('\n')) {
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.size() > 5 && words.at(1) == "FLOCK" && words.at(5) == file)
            return words.at(4).toLongLong();
    }
    return 0;
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
    // Close-on-exec: a break program or shutdown command started later must not inherit the lock
    // and keep the folder taken after this copy has ended.
    const int fd = ::open(QFile::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        // Better two copies than no bells.
        qCWarning(lcApp) << "the program folder cannot be locked against a second copy:" << m_folder
                         << strerror(errno);
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        m_fd = fd;
        return false;
    }
    const int error = errno;
    if (error == EWOULDBLOCK)
        qCInfo(lcApp) << "program folder" << m_folder << "in use by process" << lockHolder(fd);
    else
        qCWarning(lcApp) << "the program folder cannot be locked against a second copy:" << m_folder
                         << strerror(error);
    ::close(fd);
    return error == EWOULDBLOCK;
}

#endif
