#include "relay/ChannelRelayPort.h"

#include "common/Log.h"

ChannelRelayPort::ChannelRelayPort(RelayNoun noun, const QString& place, const QString& logName,
                                   RelayPortStatus::Now now)
    : m_status(noun, place, logName, std::move(now))
{
}

bool ChannelRelayPort::Out32(quint16 address, quint16 value)
{
    Q_UNUSED(address);
    const bool on = (value & 1) != 0;
    m_wanted = on;
    if (isOpen() && m_relayOn == on)
        return true;
    const bool wasOpen = isOpen();
    if (apply(on))
        return true;
    // A device that looked open may have been unplugged and plugged back between two looks, and its
    // old handle fails. Opened afresh, the write is tried once more, so a bell does not wait for the
    // next change.
    return wasOpen && apply(on);
}

void ChannelRelayPort::check()
{
    if (!m_wanted)
        return;
    if (m_opened) {
        const Presence found = isOpen() ? probe(*m_wanted) : Presence::Gone;
        if (found == Presence::Holds) {
            m_differed = false;
            return;
        }
        if (found == Presence::Gone) {
            const QString from = route();
            letGo();
            fail(RelayFailure::Unreachable,
                 QStringLiteral("%1 went away (unplugged, or without power)").arg(from));
        } else {
            if (!m_differed)
                qCWarning(lcRelay).noquote()
                    << "relay" << route() << "does not hold the state written (a power dip?): written again";
            m_differed = true;
            m_relayOn.reset();
        }
    }
    if (m_opened || present())
        apply(*m_wanted);
}

bool ChannelRelayPort::apply(bool on)
{
    if (!isOpen()) {
        letGo(); // a board that reported itself gone is let go before it is looked for again
        if (!open())
            return false;
        m_opened = true;
    }
    if (!write(on)) {
        letGo(); // opened afresh at the next write
        return false;
    }
    m_relayOn = on;
    m_status.succeed(route());
    return true;
}

void ChannelRelayPort::letGo()
{
    close();
    m_opened = false;
    m_relayOn.reset();
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
        return QStringLiteral("USB seri, %1, kanal %2")
            .arg(device("ilk bulunan CH340 port"))
            .arg(relay.channel);
    case Kind::Gpio:
        return QStringLiteral("%1, hat %2").arg(device("ilk GPIO yongası")).arg(relay.channel);
    case Kind::Lpt:
        break;
    }
    return QStringLiteral("LPT");
}
