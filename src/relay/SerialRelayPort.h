#pragma once

#include "relay/ChannelRelayPort.h"
#include "relay/SerialSystem.h"

// A USB-serial relay board with a CH340 chip (the "LCUS" type), at 9600 8N1. Channel n is switched on
// by the four bytes A0, n, 01, (A0+n+01) mod 256 and off by A0, n, 00, (A0+n) mod 256. The port is a
// path ("/dev/ttyUSB0", a "/dev/serial/by-id/…" link) or a COM port; with none given, the first
// CH340 port found. Never any other USB serial port unasked: an Arduino resets when its port is
// opened, and a UPS or a modem must not be sent relay frames.
class SerialRelayPort : public ChannelRelayPort
{
public:
    static constexpr quint16 Ch340Vendor = 0x1a86;

    SerialRelayPort(std::unique_ptr<SerialSystem> system, const RelaySettings& relay,
                    RelayPortStatus::Now now = {});
    ~SerialRelayPort() override;

    // The four bytes that switch `channel` on or off.
    static QByteArray command(int channel, bool on);
    // The USB serial ports attached now.
    static QList<RelayDevice> ports(SerialSystem& system);

protected:
    bool open() override;
    bool isOpen() const override { return m_link && m_link->healthy(); }
    bool write(bool on) override;
    void close() override { m_link.reset(); }
    QString route() const override { return m_port; }
    Presence probe(bool on) override;
    bool present() override;

private:
    QString firstCh340Port() const;

    std::unique_ptr<SerialSystem> m_system;
    const QString m_device;
    const int m_channel;
    std::unique_ptr<SerialLink> m_link;
    QString m_port;
    QString m_openedDevice; // the device m_port led to when it was opened
};
