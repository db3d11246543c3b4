#include "relay/SwitchableRelayPort.h"

#include "common/Log.h"
#include "relay/SystemRelayPort.h"

#include <QDateTime>

#include <chrono>

namespace {
// The wall clock to the microsecond: whether the amplifier is on before a bell's first note is a
// matter of milliseconds.
QString preciseWallClock()
{
    using namespace std::chrono;
    const qint64 us = duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
    return QDateTime::fromMSecsSinceEpoch(us / 1000).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")) +
           QStringLiteral("%1").arg(us % 1000, 3, 10, QLatin1Char('0'));
}
} // namespace

SwitchableRelayPort::SwitchableRelayPort(Factory factory, Finder finder)
    : m_factory(factory ? std::move(factory) : Factory(&createRelayPort)),
      m_finder(finder ? std::move(finder) : Finder(&findRelayDevices)), m_port(m_factory(m_relay))
{
}

bool SwitchableRelayPort::Out32(quint16 address, quint16 value)
{
    const bool written = m_port->Out32(address, value);
    // Logged when the write has returned, on the thread that made it: the moment the relay switched.
    qCDebug(lcRelay).noquote() << "relay write" << m_relay.target(address) << value << "at"
                               << preciseWallClock() + (written ? QString() : QStringLiteral(" (failed)"));
    return written;
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
