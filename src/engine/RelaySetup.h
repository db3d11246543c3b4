#pragma once

#include "relay/RelayPort.h"

#include <functional>
#include <optional>

class Controller;

// The operator's choice of relay in the "Röle…" dialog: the devices to choose from, the trial of a
// relay ("Dene") and the saving of the choice, which takes effect at once.
class RelaySetup
{
public:
    explicit RelaySetup(Controller& c) : c(c) {}

    // The "Röle…" button of the amplifier frame: the dialog, through the dialogs seam.
    void relayButton_Click();

    const RelaySettings& current() const;
    // Tells `found` the devices of a kind attached now, when they have been looked up.
    void findDevices(RelaySettings::Kind kind, RelayPort::Found found);
    // The LPT port written to, which the option buttons choose for the next start; 0 for none.
    quint16 lptAddress() const;

    // Told the operator's text for what went wrong with a write of a trial, empty when it went through,
    // once the write has been carried out: a board that does not answer keeps it waiting, not the
    // event loop.
    using Told = std::function<void(const QString& problem)>;

    // "Dene": switches `relay` on, with the amplifier's own writes held back meanwhile.
    void beginTrial(const RelaySettings& relay, Told told = {});
    // Two seconds later: switches it off, returns to the chosen relay and shows the amplifier's state
    // on it; `told` hears how the switching off went.
    void endTrial(Told told = {});
    bool trialRunning() const { return m_trial.has_value(); }

    // Saves `relay` in "ayarlar.ini" and drives it at once. False, with nothing changed, when it
    // cannot be saved.
    bool choose(const RelaySettings& relay);

private:
    // One write to the relay in use; `told` hears what went wrong.
    void switchRelay(const RelaySettings& relay, bool on, Told told);

    Controller& c;
    std::optional<RelaySettings> m_trial;
};
