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

    // Takes the right button from the window that draws the icon, so that the menu opens when the
    // button is released. Qt's own icon window on X11 reports it when pressed; a tray that the
    // desktop draws itself (StatusNotifierItem) has no such window, and opens when the desktop says.
    void watchIconWindow(QWidget* window);

private:
    void activated(QSystemTrayIcon::ActivationReason reason);
    void decode(int code);

    QPointer<MainWindow> m_window;
    Controller* m_controller = nullptr;
    std::unique_ptr<QSystemTrayIcon> m_icon;
    std::unique_ptr<QObject> m_releaseWatcher;
};
