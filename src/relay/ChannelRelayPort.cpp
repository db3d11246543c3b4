#include "relay/ChannelRelayPort.h"

ChannelRelayPort::ChannelRelayPort(RelayNoun noun, const QString& place, const QString& logName,
                                   RelayPortStatus::Now now)
    : m_status(noun, place, logName, std::move(now))
{
}

bool ChannelRelayPort::Out32(quint16 address, quint16 value)
{
    Q_UNUSED(address);
    const bool on = (value & 1) != 0;
    if (!isOpen()) {
        close(); // a board that reported itself gone is let go before it is looked for again
        m_relayOn.reset();
        if (!open())
            return false;
    }
    if (m_relayOn == on)
        return true;
    if (!write(on)) {
        close(); // opened afresh at the next write
        m_relayOn.reset();
        return false;
    }
    m_relayOn = on;
    m_status.succeed(route());
    return true;
}

QString relayPlace(const RelaySettings& relay)
{
    using Kind = RelaySettings::Kind;
    auto device = [&relay](const char* firstFound) {
        return relay.device.isEmpty() ? QString::fromUtf8(firstFound) : relay.device;
    };
    switch (relay.kind) {
    case Kind::UsbHid:
        return QStringLiteral("USB HID, %1, kanal %2").arg(device("ilk bulunan kart")).arg(relay.channel);
    case Kind::UsbSerial:
        return QStringLiteral("USB seri, %1, kanal %2").arg(device("ilk bulunan port")).arg(relay.channel);
    case Kind::Gpio:
        return QStringLiteral("%1, hat %2").arg(device("ilk GPIO yongası")).arg(relay.channel);
    case Kind::Lpt:
        break;
    }
    return QStringLiteral("LPT");
}
