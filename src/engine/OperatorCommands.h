#pragma once

#include <QStringList>

class Controller;

// The bell switch, the save buttons, exit and shutdown, and the unload every exit passes through.
class OperatorCommands
{
public:
    explicit OperatorCommands(Controller& c) : c(c) {}

    void Commandac_Click(); // "Zilleri aç"
    void Command12_Click(); // "Etkinlik için zilleri kapat"
    void zilkapat_Click();  // menu "Zil kapat"
    void Command18_Click(); // "Programı Kapat" button
    void mncikis_Click();   // menu "Programı Kapat"
    void bilgkapat_Click(); // menu "Bilgisayarı Kapat"
    void Command19_Click(); // "Kaydet" of the shutdown times
    void Command14_Click(); // "Kaydet" of the melody and music panel
    void Form_Unload();

    // The operator's message when settings files could not be saved, naming them.
    static QString notSavedMessage(const QStringList& files);

private:
    Controller& c;
};
