#pragma once

#include "relay/ChannelRelayPort.h"
#include "relay/HidSystem.h"

#include <optional>

// A USB HID relay board (16c0:05df, product "USBRelayN" for N channels). Channel n is switched on by
// the feature report {0x00, 0xFF, n} and off by {0x00, 0xFD, n}, each padded to the board's eight
// bytes. The board is found by the five-character serial it reports in its feature report, by its
// hidraw path, or, with neither given, as the first board found; by serial it is found again after a
// replug, wherever the system puts it. A path that leads to any other HID device is refused: 16c0:05df
// and hidraw nodes are shared with keyboards, UPSes and hobby devices. The board reports the state of
// its relays beside its serial, so each look reads it back.
class HidRelayPort : public ChannelRelayPort
{
public:
    static constexpr quint16 VendorId = 0x16c0;
    static constexpr quint16 ProductId = 0x05df;

    HidRelayPort(std::unique_ptr<HidSystem> system, const RelaySettings& relay,
                 RelayPortStatus::Now now = {});
    ~HidRelayPort() override;

    // The boards attached now, each listed by its serial.
    static QList<RelayDevice> boards(HidSystem& system);

protected:
    bool open() override;
    bool isOpen() const override { return m_handle != nullptr; }
    bool write(bool on) override;
    void close() override { m_handle.reset(); }
    QString route() const override { return QString::fromLocal8Bit(m_path); }
    Presence probe(bool on) override;
    bool present() override;

private:
    // The relay boards among the HID devices.
    static QList<HidDeviceEntry> relayBoards(HidSystem& system);
    // The serial the board reports, empty when it cannot be read.
    static QString boardSerial(HidHandle& handle);
    bool openPath(const QByteArray& path, int& error, QString& detail);
    bool openBySerial();
    // The relay board at `path`, when the path leads to one.
    std::optional<HidDeviceEntry> boardAt(const QByteArray& path) const;
    bool channelFits(const QString& product);

    std::unique_ptr<HidSystem> m_system;
    const QString m_device;
    const int m_channel;
    std::unique_ptr<HidHandle> m_handle;
    QByteArray m_path;
};
