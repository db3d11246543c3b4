#pragma once

#include "platform/InstanceGuard.h"

#include <QString>

// One running copy per program folder, whoever starts it and from whatever environment: two copies on
// one folder would ring every bell twice and both drive the relay.
//
// On Linux the program holds an exclusive flock on the program folder itself. It writes nothing, works
// on a read-only folder, and every name of the folder (a link, "..", another user's view) reaches the
// same lock. The kernel drops it when the process ends, however it ends, so no lock is ever left over
// to block the next start, and nothing in a shared place such as /tmp can stand in for it. On Windows
// a named mutex keyed by the folder's canonical path does the same.
class FolderInstanceGuard : public InstanceGuard
{
public:
    explicit FolderInstanceGuard(const QString& programFolder);
    ~FolderInstanceGuard() override; // releases the folder
    FolderInstanceGuard(const FolderInstanceGuard&) = delete;
    FolderInstanceGuard& operator=(const FolderInstanceGuard&) = delete;

    // Takes the folder on the first call; true while another live process holds it. A lock that
    // cannot be taken at all (the folder cannot be opened) does not stop the bells: false, logged.
    bool anotherCopyRunning() override;

private:
    QString m_folder;
#ifdef Q_OS_WIN
    void* m_mutex = nullptr;
#else
    int m_fd = -1;
#endif
};
