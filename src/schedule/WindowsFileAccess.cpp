#include "schedule/FileAccess.h"

#ifdef Q_OS_WIN

#include "common/Log.h"

#include <QFileInfo>
#include <QSaveFile>

namespace FileAccess {

bool openRegular(QFile& file, const QString& path)
{
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
}

bool isRegularFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink();
}

bool replace(const QString& path, const QByteArray& bytes, bool stopHalfWay)
{
    const QFileInfo info(path);
    if ((info.exists() || info.isSymLink()) && !isRegularFile(path)) {
        qCWarning(lcFiles) << path << "is not a regular file - it is not written";
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qCWarning(lcFiles) << "cannot write" << path << file.errorString();
        return false;
    }
    if (stopHalfWay) {
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

} // namespace FileAccess

#endif
