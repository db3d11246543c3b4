#include "relay/SerialRelayPort.h"

SerialRelayPort::SerialRelayPort(std::unique_ptr<SerialSystem> system, const RelaySettings& relay,
                                 RelayPortStatus::Now now)
    : ChannelRelayPort(RelayNoun::Board, relayPlace(relay), relay.target(0), std::move(now)),
      m_system(std::move(system)), m_device(relay.device), m_channel(relay.channel)
{
}

// Closing sends nothing: the relay keeps its state after the program ends.
SerialRelayPort::~SerialRelayPort()
{
    close();
}

QByteArray SerialRelayPort::command(int channel, bool on)
{
    const int state = on ? 0x01 : 0x00;
    QByteArray bytes(4, '\0');
    bytes[0] = static_cast<char>(0xA0);
    bytes[1] = static_cast<char>(channel);
    bytes[2] = static_cast<char>(state);
    bytes[3] = static_cast<char>((0xA0 + channel + state) & 0xFF);
    return bytes;
}

QList<RelayDevice> SerialRelayPort::ports(SerialSystem& system)
{
    QList<RelayDevice> found;
    for (const SerialPortEntry& p : system.ports()) {
        if (p.vendor == 0)
            continue; // a board port, never a relay board's
        QString label = p.location;
        if (!p.description.isEmpty())
            label += QStringLiteral(", ") + p.description;
        label += QStringLiteral(" (%1:%2)")
                     .arg(p.vendor, 4, 16, QLatin1Char('0'))
                     .arg(p.product, 4, 16, QLatin1Char('0'));
        found << RelayDevice{p.id, label};
    }
    return found;
}

QString SerialRelayPort::firstCh340Port() const
{
    for (const SerialPortEntry& p : m_system->ports()) {
        if (p.vendor == Ch340Vendor)
            return p.id;
    }
    return {};
}

bool SerialRelayPort::open()
{
    m_port = m_device.isEmpty() ? firstCh340Port() : m_device;
    if (m_port.isEmpty()) {
        fail(RelayFailure::Unreachable, QStringLiteral("no USB serial port with a CH340 chip (1a86) found"));
        return false;
    }
    RelayFailure failure = RelayFailure::Unreachable;
    QString detail;
    m_link = m_system->open(m_port, failure, detail);
    if (!m_link) {
        if (failure == RelayFailure::NotPermitted)
            detail += QStringLiteral(" (is the user in group \"dialout\"?)");
        fail(failure, QStringLiteral("opening %1: %2").arg(m_port, detail));
        return false;
    }
    m_openedDevice = m_system->resolve(m_port);
    return true;
}

// A serial board cannot be read back: the name must still lead to the device opened.
ChannelRelayPort::Presence SerialRelayPort::probe(bool on)
{
    Q_UNUSED(on);
    return m_system->resolve(m_port) == m_openedDevice ? Presence::Holds : Presence::Gone;
}

bool SerialRelayPort::present()
{
    return !(m_device.isEmpty() ? firstCh340Port() : m_system->resolve(m_device)).isEmpty();
}

bool SerialRelayPort::write(bool on)
{
    if (!m_link->write(command(m_channel, on))) {
        fail(RelayFailure::WriteFailed, QStringLiteral("writing to %1: %2").arg(m_port, m_link->error()));
        return false;
    }
    return true;
}
