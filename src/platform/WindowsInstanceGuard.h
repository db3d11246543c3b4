#pragma once

#include "platform/InstanceGuard.h"

#include <QString>

// One running copy per program folder on Windows: a named mutex keyed by the folder's canonical path,
// in the Global namespace so that copies in other sessions (another user, a service) see it too.
// Windows drops it when the process ends, however it ends, so no stale lock blocks the next start.
class WindowsInstanceGuard : public InstanceGuard
{
public:
    explicit WindowsInstanceGuard(const QString& programFolder);
    ~WindowsInstanceGuard() override; // releases the folder
    WindowsInstanceGuard(const WindowsInstanceGuard&) = delete;
    WindowsInstanceGuard& operator=(const WindowsInstanceGuard&) = delete;

    // Takes the folder on the first call; true while another live process holds it. A mutex that
    // cannot be made at all does not stop the bells: false, logged.
    bool anotherCopyRunning() override;

    // The mutex's name for a folder: the same for every spelling of one folder.
    static QString mutexName(const QString& programFolder);

private:
    QString m_folder;
    void* m_mutex = nullptr; // HANDLE, kept out of this header with the rest of <windows.h>
};
