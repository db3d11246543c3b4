#pragma once

#include "platform/ClockSync.h"

#include <memory>
#include <thread>

// Asks systemd-timedated on the system bus for its `NTPSynchronized` property. The call runs on a
// thread of its own: the service is started on demand and a bus that hangs makes a call wait for
// its whole timeout, which the tick must never do. Where nothing answers (no systemd, no
// timedated, a container without a system bus) there is no answer.
class LinuxClockSync : public ClockSync
{
public:
    LinuxClockSync();
    ~LinuxClockSync() override;
    LinuxClockSync(const LinuxClockSync&) = delete;
    LinuxClockSync& operator=(const LinuxClockSync&) = delete;

    void ask() override;
    std::optional<bool> synchronised() const override;

private:
    struct Shared;
    static void work(const std::shared_ptr<Shared>& shared);

    std::shared_ptr<Shared> m_shared;
    std::thread m_worker;
};
