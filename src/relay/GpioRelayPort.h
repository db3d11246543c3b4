#pragma once

#include "relay/ChannelRelayPort.h"
#include "relay/GpioSystem.h"

// A relay on a GPIO line (a Raspberry Pi and the like): the chip (/dev/gpiochip0) and a line offset,
// high for on, or low with the active-low option. The line is requested once, as an output, at the
// first write, and released at the end without its value being changed. Each look reads the line back:
// a chip on USB (an I/O expander) can go away.
class GpioRelayPort : public ChannelRelayPort
{
public:
    GpioRelayPort(std::unique_ptr<GpioSystem> system, const RelaySettings& relay,
                  RelayPortStatus::Now now = {});
    ~GpioRelayPort() override;

    static QList<RelayDevice> chips(GpioSystem& system);

protected:
    bool open() override;
    bool isOpen() const override { return m_chip != nullptr; }
    bool write(bool on) override;
    void close() override;
    QString route() const override;
    Presence probe(bool on) override;

private:
    std::unique_ptr<GpioSystem> m_system;
    const QByteArray m_device;
    const unsigned m_offset;
    const bool m_activeLow;
    std::unique_ptr<GpioChip> m_chip;
    std::unique_ptr<GpioLine> m_line;
};
