#pragma once

// The main window and notification icon, as the engine drives them.
class WindowShell
{
public:
    virtual ~WindowShell() = default;
    virtual bool trayAvailable() const = 0;
    virtual void addTrayIcon() = 0;    // adding again keeps one icon
    virtual void removeTrayIcon() = 0; // harmless when none was added
    virtual void hideWindow() = 0;
    virtual void minimizeWindow() = 0;
    virtual void showWindow() = 0;
    virtual void popupMenu() = 0;      // the menu "Vezo Zil Menüsü" at the pointer
    virtual void quit() = 0;           // end the process's event loop; the editor closes with it
};

// A run with no window and no tray icon (a rehearsal, a PC without a screen): there is nothing to show
// or hide; only the end of the run is left to the kind of run.
class WindowlessShell : public WindowShell
{
public:
    bool trayAvailable() const override { return false; }
    void addTrayIcon() override {}
    void removeTrayIcon() override {}
    void hideWindow() override {}
    void minimizeWindow() override {}
    void showWindow() override {}
    void popupMenu() override {}
};
