#pragma once

#include "relay/RelayPort.h"
#include "relay/RelayPortStatus.h"

#include <optional>

// What the relays without an I/O address share (USB HID, USB serial, GPIO). The relay follows data
// line D0 of each byte, as the LPT relay does; the address is not looked at. The device is opened at
// the first write, and again at the write after a failure, so a board plugged in later, or unplugged
// and plugged back, is driven again without a restart. It is written once per change of the relay:
// the engine repeats its byte every second, and a USB board has no use for the repeats.
class ChannelRelayPort : public RelayPort
{
public:
    bool Out32(quint16 address, quint16 value) final;
    QString problem() const final { return m_status.problem(); }

protected:
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

    void fail(RelayFailure kind, const QString& detail) { m_status.fail(kind, detail); }

private:
    RelayPortStatus m_status;
    // What the relay holds, as far as this program knows: nothing after an opening or a failure.
    std::optional<bool> m_relayOn;
};

// The place of a relay for the operator's texts: "USB seri, /dev/ttyUSB0, kanal 1".
QString relayPlace(const RelaySettings& relay);
