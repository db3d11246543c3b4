#pragma once

#include <QtGlobal>

#ifdef Q_OS_LINUX

#include "relay/PortSystem.h"
#include "relay/RelayPort.h"
#include "relay/RelayPortStatus.h"

#include <memory>

// Drives the relay through the kernel's ppdev device (/dev/parportN, open to members of group "lp"),
// or, where ppdev is missing, through raw port I/O when the process is permitted it. The port is
// opened at the first write and kept; a port that could not be opened, or failed, is tried again at
// the next write, so a driver loaded later or a cable plugged in is picked up without a restart.
class LinuxRelayPort : public RelayPort
{
public:
    explicit LinuxRelayPort(std::unique_ptr<PortSystem> system);
    ~LinuxRelayPort() override;

    bool Out32(quint16 address, quint16 value) override;
    QString problem() const override { return m_status.problem(); }

private:
    enum class Route { None, Ppdev, RawIo };

    bool open(quint16 address);
    // 0 when the device is open and claimed, otherwise the error of the step that failed.
    int openPpdev(const QByteArray& device, QString& detail);
    void close();
    QString routeName() const;

    std::unique_ptr<PortSystem> m_system;
    RelayPortStatus m_status;
    Route m_route = Route::None;
    quint16 m_address = 0;
    QByteArray m_device;
    int m_fd = -1;
};

#endif
