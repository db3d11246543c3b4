#pragma once

// Whether the program starts by itself when the operator's session starts on this computer.
class Autostart
{
public:
    virtual ~Autostart() = default;
    virtual bool isEnabled() const = 0;
    // False, with the setting as it was, when it cannot be changed; the log says why.
    virtual bool setEnabled(bool enabled) = 0;
};
