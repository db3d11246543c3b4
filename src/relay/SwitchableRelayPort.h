#pragma once

#include "relay/RelayPort.h"

#include <functional>
#include <memory>

// The relay port the program drives: the backend for the relay the operator chose, which the
// operator can change while the program runs. Until `use` it drives the LPT relay, as the program
// always has.
class SwitchableRelayPort : public RelayPort
{
public:
    using Factory = std::function<std::unique_ptr<RelayPort>(const RelaySettings&)>;
    using Finder = std::function<QList<RelayDevice>(RelaySettings::Kind)>;

    // The real devices by default; tests pass their own.
    explicit SwitchableRelayPort(Factory factory = {}, Finder finder = {});

    bool Out32(quint16 address, quint16 value) override;
    QString problem() const override { return m_port->problem(); }
    void use(const RelaySettings& relay) override;
    QList<RelayDevice> devices(RelaySettings::Kind kind) const override { return m_finder(kind); }
    void check() override { m_port->check(); }

private:
    Factory m_factory;
    Finder m_finder;
    RelaySettings m_relay;
    std::unique_ptr<RelayPort> m_port;
};
