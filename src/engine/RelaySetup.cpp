#include "engine/RelaySetup.h"

#include "common/Log.h"
#include "engine/Controller.h"
#include "relay/RelayPortStatus.h"

void RelaySetup::relayButton_Click()
{
    c.d.dialogs.chooseRelay(*this);
    // A dialog closed in the middle of a trial must not leave the amplifier's writes held.
    if (m_trial)
        endTrial();
}

const RelaySettings& RelaySetup::current() const
{
    return c.settings.relay;
}

QList<RelayDevice> RelaySetup::devices(RelaySettings::Kind kind) const
{
    return c.d.port.devices(kind);
}

quint16 RelaySetup::lptAddress() const
{
    return c.amp.relayPortAddress();
}

QString RelaySetup::switchRelay(const RelaySettings& relay, bool on)
{
    if (relay.kind == RelaySettings::Kind::Lpt && lptAddress() == 0)
        return RelayPortStatus::problemText(RelayFailure::NoAddress, 0);
    c.d.port.Out32(lptAddress(), on ? 1 : 0);
    return c.d.port.problem();
}

QString RelaySetup::beginTrial(const RelaySettings& relay)
{
    if (m_trial)
        endTrial();
    c.amp.holdRelay();
    c.d.port.use(relay);
    m_trial = relay;
    const QString problem = switchRelay(relay, true);
    qCInfo(lcRelay).noquote() << "relay trial on" << relay.target(lptAddress())
                              << (problem.isEmpty() ? "worked" : "failed");
    return problem;
}

QString RelaySetup::endTrial()
{
    if (!m_trial)
        return {};
    const QString problem = switchRelay(*m_trial, false);
    m_trial.reset();
    c.amp.useRelay(c.settings.relay);
    return problem;
}

bool RelaySetup::choose(const RelaySettings& relay)
{
    if (m_trial)
        endTrial();
    if (!AppSettings::writeRelay(c.folder, relay))
        return false;
    qCInfo(lcRelay).noquote() << "relay chosen by the operator:" << relay.target(lptAddress());
    c.amp.useRelay(relay);
    return true;
}
