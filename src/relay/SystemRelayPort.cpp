#include "relay/SystemRelayPort.h"

#include "relay/GpioRelayPort.h"
#include "relay/HidRelayPort.h"
#include "relay/HidapiSystem.h"
#include "relay/LibgpiodSystem.h"
#include "relay/QtSerialSystem.h"
#include "relay/SerialRelayPort.h"

#if defined(Q_OS_LINUX)
#include "relay/LinuxPortSystem.h"
#include "relay/LinuxRelayPort.h"
#elif defined(Q_OS_WIN)
#include "relay/WindowsRelayPort.h"
#endif

namespace {
#if !defined(Q_OS_LINUX) && !defined(Q_OS_WIN)
// A platform without a known way to reach an I/O port: every write fails, and says so once.
class UnsupportedRelayPort : public RelayPort
{
public:
    bool Out32(quint16 address, quint16) override
    {
        m_status.fail(address == 0 ? RelayFailure::NoAddress : RelayFailure::Unsupported, address,
                      QStringLiteral("no port backend on this platform"));
        return false;
    }
    QString problem() const override { return m_status.problem(); }

private:
    RelayPortStatus m_status;
};
#endif

// A kind of relay this build has no backend for: every write fails, and says so.
class UnsupportedKindPort : public RelayPort
{
public:
    explicit UnsupportedKindPort(const RelaySettings& relay)
        : m_status(relay.kind == RelaySettings::Kind::Gpio ? RelayNoun::GpioLine : RelayNoun::Board,
                   relayPlace(relay), relay.target(0))
    {
    }
    bool Out32(quint16, quint16) override
    {
        m_status.fail(RelayFailure::Unsupported,
                      QStringLiteral("this build has no backend for this kind of relay"));
        return false;
    }
    QString problem() const override { return m_status.problem(); }

private:
    RelayPortStatus m_status;
};
} // namespace

std::unique_ptr<RelayPort> createSystemRelayPort()
{
#if defined(Q_OS_LINUX)
    return std::make_unique<LinuxRelayPort>(std::make_unique<LinuxPortSystem>());
#elif defined(Q_OS_WIN)
    return std::make_unique<WindowsRelayPort>();
#else
    return std::make_unique<UnsupportedRelayPort>();
#endif
}

std::unique_ptr<RelayPort> createRelayPort(const RelaySettings& relay)
{
    switch (relay.kind) {
    case RelaySettings::Kind::Lpt:
        return createSystemRelayPort();
    case RelaySettings::Kind::UsbSerial:
        return std::make_unique<SerialRelayPort>(std::make_unique<QtSerialSystem>(), relay);
    case RelaySettings::Kind::UsbHid:
#ifdef VEZOZIL_HAVE_HIDAPI
        return std::make_unique<HidRelayPort>(std::make_unique<HidapiSystem>(), relay);
#else
        break;
#endif
    case RelaySettings::Kind::Gpio:
#ifdef VEZOZIL_HAVE_GPIOD
        return std::make_unique<GpioRelayPort>(std::make_unique<LibgpiodSystem>(), relay);
#else
        break;
#endif
    }
    return std::make_unique<UnsupportedKindPort>(relay);
}

QList<RelayDevice> findRelayDevices(RelaySettings::Kind kind)
{
    switch (kind) {
    case RelaySettings::Kind::UsbSerial: {
        QtSerialSystem system;
        return SerialRelayPort::ports(system);
    }
    case RelaySettings::Kind::UsbHid: {
#ifdef VEZOZIL_HAVE_HIDAPI
        HidapiSystem system;
        return HidRelayPort::boards(system);
#else
        break;
#endif
    }
    case RelaySettings::Kind::Gpio: {
#ifdef VEZOZIL_HAVE_GPIOD
        LibgpiodSystem system;
        return GpioRelayPort::chips(system);
#else
        break;
#endif
    }
    case RelaySettings::Kind::Lpt:
        break;
    }
    return {};
}
