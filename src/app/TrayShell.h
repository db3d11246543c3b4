#pragma once

#include "engine/WindowShell.h"

#include <QPointer>
#include <QSystemTrayIcon>

#include <memory>

class Controller;
class MainWindow;

// The main window and the notification-area icon on the desktop. The icon's clicks reach the
// controller as the mouse-event codes it decodes: a double-click shows the window, a right click
// opens the menu, and nothing else acts.
class TrayShell : public WindowShell
{
public:
    TrayShell();
    ~TrayShell() override;

    void attach(MainWindow* window, Controller* controller);

    // The mouse-event code of an activation of the icon; 0 for those that must do nothing.
    static int codeFor(QSystemTrayIcon::ActivationReason reason);

    bool trayAvailable() const override;
    void addTrayIcon() override;
    void removeTrayIcon() override;
    void hideWindow() override;
    void minimizeWindow() override;
    void showWindow() override;
    void popupMenu() override;
    void quit() override;

    QSystemTrayIcon* icon() const { return m_icon.get(); }

private:
    void activated(QSystemTrayIcon::ActivationReason reason);

    QPointer<MainWindow> m_window;
    Controller* m_controller = nullptr;
    std::unique_ptr<QSystemTrayIcon> m_icon;
};
