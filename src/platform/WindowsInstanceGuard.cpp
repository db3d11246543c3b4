#include "platform/WindowsInstanceGuard.h"

#include "common/Log.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

#include <qt_windows.h>

WindowsInstanceGuard::WindowsInstanceGuard(const QString& programFolder) : m_folder(programFolder) {}

WindowsInstanceGuard::~WindowsInstanceGuard()
{
    if (m_mutex)
        CloseHandle(static_cast<HANDLE>(m_mutex));
}

QString WindowsInstanceGuard::mutexName(const QString& programFolder)
{
    // The same folder by any spelling is one name: canonical, native separators, one letter case.
    const QFileInfo info(programFolder);
    QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty())
        canonical = QDir::cleanPath(info.absoluteFilePath());
    const QByteArray key = QDir::toNativeSeparators(canonical).toLower().toUtf8();
    const QString hash =
        QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(32));
    return QStringLiteral("Global\\VezoZil-") + hash;
}

bool WindowsInstanceGuard::anotherCopyRunning()
{
    if (m_mutex)
        return false;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, mutexName(m_folder).toStdWString().c_str());
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
