#pragma once

#include "platform/InstanceGuard.h"

#include <QString>

// One running copy per program folder, whoever starts it and from whatever environment: two copies on
// one folder would ring every bell twice and both drive the relay.
//
// On Linux the program holds an exclusive flock on ".vezozil.lock" in the program folder, a file that
// only the program's user may open (mode 0600; created without following a link; an older one of
// that user is narrowed). A lock that anybody could open, anybody could hold, and so keep every start
// from running; this way only those who can already change the timetable can get in the way. Every
// name of the folder (a link, "..") reaches the same file, and the kernel drops the lock when the
// process ends, however it ends, so no lock is ever left over. A folder nobody here may write to
// holds no lock file; there the folder's own flock stands in. On Windows, WindowsInstanceGuard's named
// mutex does the same.
class FolderInstanceGuard : public InstanceGuard
{
public:
    explicit FolderInstanceGuard(const QString& programFolder);
    ~FolderInstanceGuard() override; // releases the folder
    FolderInstanceGuard(const FolderInstanceGuard&) = delete;
    FolderInstanceGuard& operator=(const FolderInstanceGuard&) = delete;

    // Takes the folder on the first call; true while another live process holds it. A lock that
    // cannot be taken at all (the folder cannot be opened, the lock file is another user's or a link)
    // does not stop the bells: false, with the reason logged.
    bool anotherCopyRunning() override;

private:
    // Locks `fd` and keeps it; or, when another process holds its lock, closes it and says so.
    bool takenBeforeUs(int fd);
    bool lockedWithoutTheFile(const QString& path, int openError);

    QString m_folder;
    int m_fd = -1;
};
