#pragma once

class Controller;

// "Tepsiye Küçült", the decoding of the icon's mouse events and the menu items of their own.
class TrayMenu
{
public:
    explicit TrayMenu(Controller& c) : c(c) {}

    static constexpr int DoubleClick = 515;   // left button double-click
    static constexpr int RightRelease = 517;  // right button released

    void Command2_Click();          // "Tepsiye Küçült"
    void trayCallback(int code);    // the icon's mouse-event code
    void mngoster_Click();          // "Ekranda Göster"
    void sesdur_Click();            // "Ses Yayınını Durdur" from the menu

private:
    Controller& c;
};
