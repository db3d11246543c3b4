#pragma once

#include <QString>

// Raw port output with Out32 semantics: write the low byte of `value` to an I/O address.
class RelayPort
{
public:
    virtual ~RelayPort() = default;
    // Returns false when the byte could not be written; `problem()` then says why, in Turkish, for
    // the amplifier frame.
    virtual bool Out32(quint16 address, quint16 value) = 0;
    virtual QString problem() const { return {}; }
};
