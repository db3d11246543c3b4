#pragma once

#include <QString>

// Whether the program starts by itself when the operator's session starts on this computer.
class Autostart
{
public:
    virtual ~Autostart() = default;
    // True only when what starts with the session is this program on this program folder.
    virtual bool isEnabled() const = 0;
    // What an entry in force starts instead (another copy, another folder, a program that has gone),
    // as it stands in the entry; empty when it starts this program or nothing at all.
    virtual QString otherCommand() const { return QString(); }
    // False, with the setting as it was, when it cannot be changed; the log says why.
    virtual bool setEnabled(bool enabled) = 0;
};
