#pragma once

#include <QString>

class Controller;
struct RelaySettings;

// The amplifier relay (on an LPT port, a USB board or a GPIO line), its indicator and the operator's
// amplifier controls.
class Amplifier
{
public:
    explicit Amplifier(Controller& c) : c(c) {}

    void Reset(); // write 0
    void Ac();    // write 1, "AMFİ AÇIK" on green, ampState 2
    void Kapat(); // with ampState 1: write 0, "AMFİ KAPALI" on red

    void Command3_Click();             // "Otomatik"
    void Command4_Click();             // "Sürekli Açık"
    void Command1_Click();             // "Aç"
    void Option_Click(int portNumber); // Option1..Option3: takes effect at the next start
    void amfiac_Click();               // tray item "Amfiyi Aç"

    // Start-up steps 20 and 21: choose the port address from lptPortNumber, then Reset.
    void selectPort();

    // Tick steps 5, 14 and 15.
    void continuousStep();
    void releaseStep();
    void assertStep();
    // Every second, beside the steps: a relay board that went away or came back is noticed, and one
    // that came back is given the amplifier's state.
    void watchRelay();

    quint16 relayPortAddress() const { return m_relayPortAddress; }
    // How many times `Ac` has run: tells a warm-up whether anyone else has held the amplifier since.
    quint64 switchOnCount() const { return m_switchOns; }

    // The amplifier warm-up before timed bells, 0..10 s, saved in "ayarlar.ini" at once.
    void setWarmUpSeconds(int seconds);

    // The relay kinds beside LPT (USB HID, USB serial, GPIO), and the operator's choice of relay while
    // the program runs.
    // How the journal names the relay written to: the LPT address, or "usb-seri:/dev/ttyUSB0#1".
    QString relayTarget() const;
    // Drives `relay` from now on and shows the amplifier's state on it with one write; ends a hold.
    void useRelay(const RelaySettings& relay);
    // While held (the operator tries a relay), writes are remembered, not sent; useRelay ends it.
    void holdRelay() { m_relayHeld = true; }

private:
    void write(quint16 value);
    void showRelayProblem();
    bool lptRelay() const;

    Controller& c;
    quint16 m_relayPortAddress = 0;
    quint64 m_switchOns = 0;
    quint16 m_relayValue = 0; // the value last written, or held back
    bool m_relayHeld = false;
};
