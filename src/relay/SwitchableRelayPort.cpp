#include "relay/SwitchableRelayPort.h"

#include "common/Log.h"
#include "relay/SystemRelayPort.h"

SwitchableRelayPort::SwitchableRelayPort(Factory factory, Finder finder)
    : m_factory(factory ? std::move(factory) : Factory(&createRelayPort)),
      m_finder(finder ? std::move(finder) : Finder(&findRelayDevices)), m_port(m_factory(m_relay))
{
}

void SwitchableRelayPort::use(const RelaySettings& relay)
{
    if (relay == m_relay)
        return;
    // The old device is let go first: the new relay may be the same board on another channel, and
    // a serial port or a GPIO line is held by one owner at a time.
    m_port.reset();
    m_relay = relay;
    m_port = m_factory(relay);
    const bool lpt = relay.kind == RelaySettings::Kind::Lpt;
    qCInfo(lcRelay).noquote() << "relay" << (lpt ? QStringLiteral("lpt") : relay.target(0)) << "chosen";
}
