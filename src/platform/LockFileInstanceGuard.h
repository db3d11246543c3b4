#pragma once

#include "platform/InstanceGuard.h"

#include <QString>

#include <memory>

class QLockFile;

// One running copy per program folder and user: a lock file in the user's runtime folder, named
// after the folder it guards. A lock left behind by a crash or a power cut never blocks a start:
// its owner's process is gone, and the lock is taken over.
class LockFileInstanceGuard : public InstanceGuard
{
public:
    explicit LockFileInstanceGuard(const QString& programFolder);
    // Tests put their locks in a folder of their own.
    LockFileInstanceGuard(const QString& programFolder, const QString& lockFolder);
    ~LockFileInstanceGuard() override; // releases the lock

    // Takes the lock on the first call; true while another live process holds it.
    bool anotherCopyRunning() override;

    QString lockFilePath() const { return m_path; }

    static QString defaultLockFolder();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
