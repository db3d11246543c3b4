#pragma once

#include <QtGlobal>

#ifdef Q_OS_UNIX

#include <csignal>

#include <sys/resource.h>

// While it lives, every write of a file past its first `bytes` fails with "file too large", as a
// write to a full disk does. It stops root too, whom file permissions do not stop. Only the soft
// limit is lowered, so the destructor can raise it again.
//
// Every file of the process is limited: keep the scope to the save under test (a test's output
// redirected to a file would be cut short meanwhile; pipes, as under ctest, are not limited).
class FullDisk
{
public:
    explicit FullDisk(rlim_t bytes = 0)
    {
        // The kernel would otherwise end the process with SIGXFSZ at the first write past the limit.
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        m_active = getrlimit(RLIMIT_FSIZE, &m_previous) == 0;
        if (m_active) {
            rlimit limited = m_previous;
            limited.rlim_cur = bytes;
            m_active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
        }
    }
    ~FullDisk()
    {
        if (m_active)
            setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool active() const { return m_active; }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
    bool m_active = false;
};

#endif
