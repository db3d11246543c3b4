#include "platform/LockFileInstanceGuard.h"

#include "common/Log.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace {
QString folderKey(const QString& programFolder)
{
    // The canonical path, so "--dir ." and the full path of the same folder are one lock.
    const QFileInfo info(programFolder);
    QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty())
        canonical = QDir::cleanPath(info.absoluteFilePath());
    return QString::fromLatin1(
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
}
} // namespace

LockFileInstanceGuard::LockFileInstanceGuard(const QString& programFolder)
    : LockFileInstanceGuard(programFolder, defaultLockFolder())
{
}

LockFileInstanceGuard::LockFileInstanceGuard(const QString& programFolder, const QString& lockFolder)
    : m_path(QDir(lockFolder).filePath(QStringLiteral("vezozil-%1.lock").arg(folderKey(programFolder))))
{
}

LockFileInstanceGuard::~LockFileInstanceGuard() = default;

QString LockFileInstanceGuard::defaultLockFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

bool LockFileInstanceGuard::anotherCopyRunning()
{
    if (m_lock && m_lock->isLocked())
        return false;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock is stale only when its owner's process is gone, never by its age: a school PC runs
    // the bells for months.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return false;
    switch (m_lock->error()) {
    case QLockFile::LockFailedError: {
        qint64 pid = 0;
        QString host, app;
        m_lock->getLockInfo(&pid, &host, &app);
        qCInfo(lcApp) << "program folder in use by process" << pid << "on" << host;
        return true;
    }
    default:
        // Better two copies than no bells: a lock that cannot be made does not stop the start.
        qCWarning(lcApp) << "single-instance lock cannot be made at" << m_path << "error" << m_lock->error();
        return false;
    }
}
