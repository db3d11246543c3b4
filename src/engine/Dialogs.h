#pragma once

#include <QString>

#include <optional>

class RelaySetup;

// Every question and message the program shows goes through here, so tests answer them without a screen.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // Modal Yes/No box with the title "Vezo Zil UYARI !" and no icon; true for Yes.
    virtual bool askYesNo(const QString& text) = 0;
    // A message with one OK button and the given title (empty: no title of its own).
    virtual void tell(const QString& text, const QString& title) = 0;
    // An open-file dialog; std::nullopt when cancelled. `filter` is in the system's
    // "description|pattern" form, empty for none.
    virtual std::optional<QString> chooseFile(const QString& filter) = 0;
    // The "Röle…" dialog on the operator's choice of relay; returns when it is closed. Where there is
    // no one to ask (a rehearsal) nothing is shown.
    virtual void chooseRelay(RelaySetup& setup) { (void)setup; }
};
