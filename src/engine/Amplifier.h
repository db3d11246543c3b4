#pragma once

#include <QtGlobal>

class Controller;

// The amplifier relay on the LPT port, its indicator and the operator's amplifier controls.
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

    quint16 relayPortAddress() const { return m_relayPortAddress; }
    // How many times `Ac` has run: tells a warm-up whether anyone else has held the amplifier since.
    quint64 switchOnCount() const { return m_switchOns; }

    // The amplifier warm-up before timed bells, 0..10 s, saved in "ayarlar.ini" at once.
    void setWarmUpSeconds(int seconds);

private:
    void write(quint16 value);

    Controller& c;
    quint16 m_relayPortAddress = 0;
    quint64 m_switchOns = 0;
};
