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

void RelaySetup::findDevices(RelaySettings::Kind kind, RelayPort::Found found)
{
    c.d.port.findDevices(kind, std::move(found));
}

quint16 RelaySetup::lptAddress() const
{
    return c.amp.relayPortAddress();
}

void RelaySetup::switchRelay(const RelaySettings& relay, bool on, Told told)
{
    if (relay.kind == RelaySettings::Kind::Lpt && lptAddress() == 0) {
        if (told)
            told(RelayPortStatus::problemText(RelayFailure::NoAddress, 0));
        return;
    }
    c.d.port.Out32(lptAddress(), on ? 1 : 0);
    c.d.port.whenDone([this, on, target = relay.target(lptAddress()), told = std::move(told)] {
        const QString problem = c.d.port.problem();
        qCInfo(lcRelay).noquote() << "relay trial" << (on ? "on" : "off") << target
                                  << (problem.isEmpty() ? "worked" : "failed");
        if (told)
            told(problem);
    });
}

void RelaySetup::beginTrial(const RelaySettings& relay, Told told)
{
    if (m_trial)
        endTrial();
    c.amp.holdRelay();
    c.d.port.use(relay);
    m_trial = relay;
    switchRelay(relay, true, std::move(told));
}

void RelaySetup::endTrial(Told told)
{
    if (!m_trial)
        return;
    switchRelay(*m_trial, false, std::move(told));
    m_trial.reset();
    c.amp.useRelay(c.settings.relay);
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
