#include "relay/SystemRelayPort.h"

#if defined(Q_OS_LINUX)
#include "relay/LinuxPortSystem.h"
#include "relay/LinuxRelayPort.h"
#elif defined(Q_OS_WIN)
#include "relay/WindowsRelayPort.h"
#else
#include "relay/RelayPortStatus.h"

namespace {
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
} // namespace
#endif

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
