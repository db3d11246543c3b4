#pragma once

#include <QString>

class Controller;

// The anthem, silence and siren buttons, the manual bells and "Ses Yayınını Durdur".
class Ceremony
{
public:
    explicit Ceremony(Controller& c) : c(c) {}

    void Command6_Click();  // "İstiklal Marşı"
    void Command26_Click(); // "İstiklal Marşı + konuşma"
    void Command7_Click();  // "1 Dk Saygı dur.ve İst. Marşı"
    void Command8_Click();  // "2 Dk Saygı dur.ve İst. Marşı"
    void Command20_Click(); // "Saygı duruşu"
    void Command9_Click();  // "Acil Durum Sireni"
    void Command10_Click(); // "Giriş Zili"
    void Command11_Click(); // "Çıkış Zili"
    void Command13_Click(); // "Ses Yayınını Durdur"

private:
    void playFixed(const QString& relative);
    void playManualBell(const QString& melodyFile);

    Controller& c;
};
