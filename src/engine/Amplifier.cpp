#include "engine/Amplifier.h"

#include "common/Log.h"
#include "engine/Controller.h"
#include "relay/RelayPortStatus.h"

#include <algorithm>

namespace {
quint16 addressOf(int portNumber)
{
    switch (portNumber) {
    case 1:
        return 888; // 0x378
    case 2:
        return 632; // 0x278
    case 3:
        return 956; // 0x3BC
    default:
        return 0;
    }
}
} // namespace

void Amplifier::write(quint16 value)
{
    m_relayValue = value;
    if (m_relayHeld)
        return;
    // With no LPT port chosen nothing is written to any address; the other kinds have no address.
    if (m_relayPortAddress == 0 && lptRelay())
        return;
    // A failing port is shown in the amplifier frame; the bells ring on without it.
    c.d.port.Out32(m_relayPortAddress, value);
    showRelayProblem();
}

void Amplifier::showRelayProblem()
{
    if (m_relayPortAddress == 0 && lptRelay())
        c.m.relayProblem = RelayPortStatus::problemText(RelayFailure::NoAddress, 0);
    else
        c.m.relayProblem = c.d.port.problem();
}

void Amplifier::Reset()
{
    write(0);
}

void Amplifier::Ac()
{
    ++m_switchOns;
    write(1);
    c.m.label4 = {Texts::AmpOn, Colours::Green};
    c.s.ampState = 2;
}

void Amplifier::Kapat()
{
    if (c.s.ampState != 1)
        return;
    write(0);
    c.m.label4 = {Texts::AmpOff, Colours::Red};
}

void Amplifier::Command3_Click()
{
    c.s.ampMode = 0;
    c.s.ampState = 1;
    c.s.ampHoldAfterSound = 0;
}

void Amplifier::Command4_Click()
{
    Ac();
    c.s.ampMode = c.s.ampMode == 0 ? 1 : 3;
}

void Amplifier::Command1_Click()
{
    c.s.ampMode = 0;
    Ac();
}

void Amplifier::Option_Click(int portNumber)
{
    if (portNumber < 1 || portNumber > 3)
        return;
    c.s.lptPortNumber = portNumber;
    c.m.lptOption = portNumber;
}

void Amplifier::amfiac_Click()
{
    if (c.d.dialogs.askYesNo(QStringLiteral("Amfiyi sürekli olarak açmak istiyor musunuz?")))
        Ac();
}

void Amplifier::setWarmUpSeconds(int seconds)
{
    seconds = std::clamp(seconds, 0, AppSettings::MaxWarmUpSeconds);
    if (seconds == c.settings.warmUpSeconds)
        return;
    // [Amfi] alone: the relay's section may have been edited by hand since start-up.
    if (!AppSettings::writeWarmUp(c.folder, seconds)) {
        c.d.dialogs.tell(OperatorCommands::notSavedMessage({AppSettings::FileName}), Texts::WarningTitle);
        return;
    }
    c.settings.warmUpSeconds = seconds;
}

void Amplifier::selectPort()
{
    // The three tests one after another; any other value leaves the address as it was.
    for (int n = 1; n <= 3; ++n) {
        if (c.s.lptPortNumber == n) {
            Option_Click(n);
            c.s.lptPortAddress = addressOf(n);
        }
    }
    m_relayPortAddress = static_cast<quint16>(c.s.lptPortAddress);
    // A port that writes on a thread of its own tells its outcomes later; a trial's are the dialog's.
    c.d.port.setListener([this] {
        if (!m_relayHeld)
            showRelayProblem();
    });
    c.d.port.use(c.settings.relay);
    if (m_relayPortAddress == 0 && lptRelay())
        qCWarning(lcRelay) << "no LPT port chosen in port.txt: the amplifier relay is not driven";
    showRelayProblem();
    Reset();
}

void Amplifier::continuousStep()
{
    if (c.s.ampMode == 1)
        Ac();
}

void Amplifier::releaseStep()
{
    if (!c.melodies.isWavPlaying() && c.s.ampHoldAfterSound == 0 && !c.bells.keepsAmplifierOn())
        Kapat();
}

void Amplifier::assertStep()
{
    if (c.melodies.isWavPlaying()) {
        Ac();
        c.s.ampState = 1;
    }
}

void Amplifier::watchRelay()
{
    // While the operator tries a relay, the port drives that one, and the dialog tells its outcome.
    if (lptRelay() || m_relayHeld)
        return;
    c.d.port.check();
    showRelayProblem();
}

bool Amplifier::lptRelay() const
{
    return c.settings.relay.kind == RelaySettings::Kind::Lpt;
}

QString Amplifier::relayTarget() const
{
    return c.settings.relay.target(m_relayPortAddress);
}

void Amplifier::useRelay(const RelaySettings& relay)
{
    m_relayHeld = false;
    c.settings.relay = relay;
    c.d.port.use(relay);
    showRelayProblem();
    write(m_relayValue);
}
