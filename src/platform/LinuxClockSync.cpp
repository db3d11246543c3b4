#include "platform/LinuxClockSync.h"

#include "common/Log.h"

#include <condition_variable>
#include <cstring>
#include <mutex>

#ifdef VEZOZIL_HAVE_SYSTEMD
#include <systemd/sd-bus.h>
#endif

struct LinuxClockSync::Shared
{
    std::mutex mutex;
    std::condition_variable wake;
    bool wanted = false;
    bool busy = false;
    bool stop = false;
    std::optional<bool> answer;
};

namespace {
// One question on a connection of its own: a connection kept open would go stale when the bus
// restarts, and one question every few minutes costs nothing.
std::optional<bool> askTimedated(QString& error)
{
#ifdef VEZOZIL_HAVE_SYSTEMD
    sd_bus* bus = nullptr;
    int r = sd_bus_open_system(&bus);
    if (r < 0) {
        error = QStringLiteral("no system bus: %1").arg(QString::fromLocal8Bit(strerror(-r)));
        return std::nullopt;
    }
    sd_bus_error busError = SD_BUS_ERROR_NULL;
    int synced = 0;
    r = sd_bus_get_property_trivial(bus, "org.freedesktop.timedate1", "/org/freedesktop/timedate1",
                                    "org.freedesktop.timedate1", "NTPSynchronized", &busError, 'b', &synced);
    if (r < 0)
        error = QString::fromUtf8(busError.message ? busError.message : strerror(-r));
    sd_bus_error_free(&busError);
    // Not flushed: on a bus that stopped reading, a flush would wait for ever.
    sd_bus_close_unref(bus);
    if (r < 0)
        return std::nullopt;
    return synced != 0;
#else
    error = QStringLiteral("this build has no system bus client");
    return std::nullopt;
#endif
}
} // namespace

void LinuxClockSync::work(const std::shared_ptr<Shared>& shared)
{
    bool answered = true; // so that a first failure is logged
    std::unique_lock lock(shared->mutex);
    for (;;) {
        shared->wake.wait(lock, [&] { return shared->wanted || shared->stop; });
        if (shared->stop)
            return;
        shared->wanted = false;
        shared->busy = true;
        lock.unlock();
        QString error;
        const std::optional<bool> answer = askTimedated(error);
        // Logged when it changes, not at every question.
        if (!answer && answered)
            qCInfo(lcApp).noquote() << "the clock's synchronisation cannot be read:" << error;
        answered = answer.has_value();
        lock.lock();
        shared->answer = answer;
        shared->busy = false;
    }
}

LinuxClockSync::LinuxClockSync() : m_shared(std::make_shared<Shared>()) {}

LinuxClockSync::~LinuxClockSync()
{
    bool busy = false;
    {
        const std::lock_guard lock(m_shared->mutex);
        m_shared->stop = true;
        busy = m_shared->busy;
    }
    m_shared->wake.notify_one();
    if (!m_worker.joinable())
        return;
    // A question under way may wait for the bus's timeout; the program does not end any later for
    // it. The thread keeps the shared state alive until it returns.
    if (busy)
        m_worker.detach();
    else
        m_worker.join();
}

void LinuxClockSync::ask()
{
    {
        const std::lock_guard lock(m_shared->mutex);
        if (m_shared->busy || m_shared->stop)
            return;
        m_shared->wanted = true;
    }
    if (!m_worker.joinable())
        m_worker = std::thread(work, m_shared);
    m_shared->wake.notify_one();
}

std::optional<bool> LinuxClockSync::synchronised() const
{
    const std::lock_guard lock(m_shared->mutex);
    return m_shared->answer;
}
