#pragma once

#include "relay/RelayPort.h"
#include "relay/RelayPortStatus.h"

#include <optional>

// What the relays without an I/O address share (USB HID, USB serial, GPIO). The relay follows data
// line D0 of each byte, as the LPT relay does; the address is not looked at. The device is opened at
// the first write, and again at the write after a failure, so a board plugged in later, or unplugged
// and plugged back, is driven again without a restart. It is written once per change of the relay:
// the engine repeats its byte every second, and a USB board has no use for the repeats. So that a
// board that comes back with its relays open is not left so until the next change, `check` looks
// for the device every second and writes it the state it holds.
class ChannelRelayPort : public RelayPort
{
public:
    bool Out32(quint16 address, quint16 value) final;
    QString problem() const final { return m_status.problem(); }
    void check() final;

protected:
    // What a look at the open device finds.
    enum class Presence {
        Holds,   // it is still the device opened, holding what was written, as far as can be seen
        Differs, // it answers, but its relay is not in the state written (it lost power for a moment)
        Gone,    // it went away, or the name now leads to another device
    };

    // `place` names the device for the operator, `logName` for the journal (RelayPortStatus).
    ChannelRelayPort(RelayNoun noun, const QString& place, const QString& logName,
                     RelayPortStatus::Now now = {});

    // Opens the device; false, after fail(), when it cannot be.
    virtual bool open() = 0;
    // True while the device is open and has not reported itself gone.
    virtual bool isOpen() const = 0;
    // One write that switches the relay on or off; false, after fail(), when it did not go out.
    virtual bool write(bool on) = 0;
    // Lets the device go without a write, so the relay stays as it is. Safe to call when closed.
    virtual void close() = 0;
    // Where the writes go, for the journal ("/dev/hidraw3").
    virtual QString route() const = 0;
    // A look at the open device, whose relay should be `on`: cheap, as it runs every second.
    virtual Presence probe(bool on) = 0;
    // Whether the device can be found now while it is closed, so that opening it is worth a try.
    virtual bool present() { return true; }

    void fail(RelayFailure kind, const QString& detail) { m_status.fail(kind, detail); }

private:
    // Opens the device when needed and writes `on`.
    bool apply(bool on);
    void letGo();

    RelayPortStatus m_status;
    // What the engine wants the relay to hold: the last value written, whether or not it went out.
    std::optional<bool> m_wanted;
    // What the relay holds, as far as this program knows: nothing after an opening or a failure.
    std::optional<bool> m_relayOn;
    bool m_opened = false;   // a device is held, healthy or not
    bool m_differed = false; // the last look found the relay not in the state written
};

// The place of a relay for the operator's texts: "USB seri, /dev/ttyUSB0, kanal 1".
QString relayPlace(const RelaySettings& relay);
