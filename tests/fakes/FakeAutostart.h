#pragma once

#include "platform/Autostart.h"

// The desktop's autostart as a flag; a refusing one keeps its flag, as a read-only folder would.
class FakeAutostart : public Autostart
{
public:
    bool isEnabled() const override { return enabled; }
    bool setEnabled(bool on) override
    {
        ++writes;
        if (refuses)
            return false;
        enabled = on;
        return true;
    }
    bool enabled = false;
    bool refuses = false;
    int writes = 0;
};
