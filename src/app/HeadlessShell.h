#pragma once

#include "engine/WindowShell.h"

// A run without a window or tray icon: there is nothing to show or hide, and the unload ends the
// event loop.
class HeadlessShell : public WindowlessShell
{
public:
    void quit() override;
};
