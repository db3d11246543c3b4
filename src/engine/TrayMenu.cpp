#include "engine/TrayMenu.h"

#include "engine/Controller.h"
#include "common/Log.h"

void TrayMenu::Command2_Click()
{
    if (!c.d.shell.trayAvailable()) {
        // Hidden without an icon, the window could never be brought back.
        qCWarning(lcApp) << "no notification area on this desktop: minimizing instead of hiding";
        c.d.shell.minimizeWindow();
        return;
    }
    c.d.shell.addTrayIcon();
    c.d.shell.hideWindow();
}

void TrayMenu::trayCallback(int code)
{
    if (code == DoubleClick)
        c.d.shell.showWindow();
    else if (code == RightRelease)
        c.d.shell.popupMenu();
}

void TrayMenu::mngoster_Click() { c.d.shell.showWindow(); }

void TrayMenu::sesdur_Click()
{
    if (!c.d.dialogs.askYesNo(QStringLiteral("Ses yayınını kapatmak istiyormusunuz?")))
        return;
    c.amp.Kapat();
    c.melodies.closeWavPlayer();
    if (!c.melodies.isWavPlaying())
        c.amp.Kapat();
    c.s.ampState = 1;
}
