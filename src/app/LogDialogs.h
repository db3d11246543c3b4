#pragma once

#include "engine/Dialogs.h"

// The program's questions and messages where no one can see a window: without a screen (Qt's
// offscreen or minimal platform) and with --headless. A question cannot arise there, as every one
// follows an operator's click; should one come, it is answered No, which changes nothing. Messages
// go to the log, which the journal keeps.
class LogDialogs : public Dialogs
{
public:
    bool askYesNo(const QString& text) override;
    void tell(const QString& text, const QString& title) override;
    std::optional<QString> chooseFile(const QString& filter) override;
};
