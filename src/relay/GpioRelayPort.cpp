#include "relay/GpioRelayPort.h"

#include <algorithm>
#include <cerrno>

namespace {
const QByteArray FirstChip = QByteArrayLiteral("/dev/gpiochip0");
} // namespace

GpioRelayPort::GpioRelayPort(std::unique_ptr<GpioSystem> system, const RelaySettings& relay,
                             RelayPortStatus::Now now)
    : ChannelRelayPort(RelayNoun::GpioLine, relayPlace(relay), relay.target(0), std::move(now)),
      m_system(std::move(system)), m_device(relay.device.isEmpty() ? FirstChip : relay.device.toLocal8Bit()),
      m_offset(static_cast<unsigned>(std::max(relay.channel, 0))), m_activeLow(relay.activeLow)
{
}

// The line is released as it stands: the relay keeps its state after the program ends.
GpioRelayPort::~GpioRelayPort()
{
    close();
}

QList<RelayDevice> GpioRelayPort::chips(GpioSystem& system)
{
    QList<RelayDevice> found;
    for (const GpioChipEntry& chip : system.chips()) {
        const QString label =
            chip.label.isEmpty()
                ? QStringLiteral("%1 (erişim izni yok)").arg(chip.path)
                : QStringLiteral("%1, %2 (%3 hat)").arg(chip.path, chip.label).arg(chip.lines);
        found << RelayDevice{chip.path, label};
    }
    return found;
}

bool GpioRelayPort::open()
{
    errno = 0;
    m_chip = m_system->openChip(m_device);
    if (!m_chip) {
        const int error = errno != 0 ? errno : ENODEV;
        QString detail = QStringLiteral("opening %1: %2")
                             .arg(QString::fromLocal8Bit(m_device), RelayPortStatus::errorText(error));
        if (RelayPortStatus::failureOf(error) == RelayFailure::NotPermitted)
            detail += QStringLiteral(" (is the user in group \"gpio\"?)");
        fail(RelayPortStatus::failureOf(error), detail);
        return false;
    }
    if (m_offset >= static_cast<unsigned>(m_chip->lines())) {
        fail(RelayFailure::NoSuchChannel, QStringLiteral("%1 has %2 lines, no line %3")
                                              .arg(QString::fromLocal8Bit(m_device))
                                              .arg(m_chip->lines())
                                              .arg(m_offset));
        close();
        return false;
    }
    return true;
}

bool GpioRelayPort::write(bool on)
{
    errno = 0;
    if (!m_line) {
        m_line = m_chip->requestOutput(m_offset, m_activeLow, on ? 1 : 0);
        if (m_line)
            return true;
        const int error = errno != 0 ? errno : EIO;
        fail(RelayPortStatus::failureOf(error) == RelayFailure::Unreachable
                 ? RelayFailure::WriteFailed
                 : RelayPortStatus::failureOf(error),
             QStringLiteral("requesting line %1 of %2 as an output: %3")
                 .arg(m_offset)
                 .arg(QString::fromLocal8Bit(m_device), RelayPortStatus::errorText(error)));
        return false;
    }
    if (m_line->setValue(on ? 1 : 0) != 0) {
        const int error = errno != 0 ? errno : EIO;
        fail(RelayFailure::WriteFailed,
             QStringLiteral("setting line %1 of %2: %3")
                 .arg(m_offset)
                 .arg(QString::fromLocal8Bit(m_device), RelayPortStatus::errorText(error)));
        return false;
    }
    return true;
}

ChannelRelayPort::Presence GpioRelayPort::probe(bool on)
{
    if (!m_line)
        return Presence::Holds; // requested at the next write
    const int value = m_line->value();
    if (value < 0)
        return Presence::Gone;
    return (value != 0) == on ? Presence::Holds : Presence::Differs;
}

void GpioRelayPort::close()
{
    m_line.reset();
    m_chip.reset();
}

QString GpioRelayPort::route() const
{
    return QStringLiteral("%1 line %2").arg(QString::fromLocal8Bit(m_device)).arg(m_offset);
}
