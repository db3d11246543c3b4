#include "platform/TerminationWatcher.h"

#include "common/Log.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr std::array<int, 3> Watched{SIGTERM, SIGINT, SIGHUP};
int g_pipe[2] = {-1, -1};
struct sigaction g_previous[Watched.size()];

extern "C" void onTerminationSignal(int number)
{
    const int savedErrno = errno;
    const char byte = static_cast<char>(number);
    // A full pipe already holds a request; nothing more is needed.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}
} // namespace

TerminationWatcher::TerminationWatcher(QObject* parent) : QObject(parent)
{
    if (g_pipe[0] != -1) {
        qCWarning(lcApp) << "a termination watcher is already installed";
        return;
    }
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qCWarning(lcApp) << "termination signals cannot be watched:" << strerror(errno);
        g_pipe[0] = g_pipe[1] = -1;
        return;
    }
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationWatcher::readSignals);

    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < Watched.size(); ++i)
        ::sigaction(Watched[i], &action, &g_previous[i]);
}

TerminationWatcher::~TerminationWatcher()
{
    if (!m_notifier)
        return;
    for (std::size_t i = 0; i < Watched.size(); ++i)
        ::sigaction(Watched[i], &g_previous[i], nullptr);
    delete m_notifier;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void TerminationWatcher::readSignals()
{
    char bytes[16];
    ssize_t n = 0;
    int last = 0;
    while ((n = ::read(g_pipe[0], bytes, sizeof bytes)) > 0)
        last = bytes[n - 1];
    // Several signals that arrived together are one request to end.
    if (last != 0) {
        qCInfo(lcApp) << "signal" << last << "received: ending";
        Q_EMIT terminationRequested();
    }
}

#else // Windows ends a GUI program through its window messages, which Qt turns into a close.

TerminationWatcher::TerminationWatcher(QObject* parent) : QObject(parent) {}
TerminationWatcher::~TerminationWatcher() = default;
void TerminationWatcher::readSignals() {}

#endif
