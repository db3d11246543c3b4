#pragma once

#include <QString>
#include <QStringList>

class Controller;

// The outside program that fills a break instead of music: choosing it, starting it and ending it.
class BreakProgram
{
public:
    explicit BreakProgram(Controller& c) : c(c) {}

    void gecisyap();
    void programsecac();
    void programseckapat();
    void programac();
    void programkapat();

    void Check33_Click(); // "Hayır"
    void Command5_Click();  // "Açılacak dosyayı seç"
    void Command24_Click(); // "Kapatılacak programı seç"

private:
    Controller& c;
};
