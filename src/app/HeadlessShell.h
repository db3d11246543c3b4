#pragma once

#include "engine/WindowShell.h"

// A run without a window or tray icon: there is nothing to show or hide, and the unload ends the
// event loop.
class HeadlessShell : public WindowShell
{
public:
    bool trayAvailable() const override { return false; }
    void addTrayIcon() override {}
    void removeTrayIcon() override {}
    void hideWindow() override {}
    void minimizeWindow() override {}
    void showWindow() override {}
    void popupMenu() override {}
    void quit() override;
};
