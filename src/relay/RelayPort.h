#pragma once

#include "schedule/AppSettings.h"

#include <QList>
#include <QString>

#include <functional>

// A relay the operator can choose from: `id` is what "[Role] Aygit" keeps (a board serial, a port or
// a chip), `label` how the choice reads in the list.
struct RelayDevice
{
    QString id;
    QString label;
    bool operator==(const RelayDevice&) const = default;
};

// Raw port output with Out32 semantics: write the low byte of `value` to an I/O address. Relays
// without an I/O address (USB, GPIO) follow data line D0 of the byte, as the LPT relay does, and
// ignore the address.
class RelayPort
{
public:
    virtual ~RelayPort() = default;
    // Returns false when the byte could not be written; `problem()` then says why, in Turkish, for
    // the amplifier frame.
    virtual bool Out32(quint16 address, quint16 value) = 0;
    virtual QString problem() const { return {}; }

    // Drives the relay `relay` describes from the next write on; the device driven so far is let go
    // without a write, so its relay stays as it is. A port that drives one kind only ignores this.
    virtual void use(const RelaySettings& relay) { Q_UNUSED(relay); }
    // The devices of a kind attached now, for the operator to choose from.
    virtual QList<RelayDevice> devices(RelaySettings::Kind kind) const
    {
        Q_UNUSED(kind);
        return {};
    }
    // Tells `found` those devices on the caller's thread: at once for a port that looks as it is
    // asked. Listing a HID board means asking it for its serial, which a board that hangs makes wait.
    using Found = std::function<void(const QList<RelayDevice>&)>;
    virtual void findDevices(RelaySettings::Kind kind, Found found) { found(devices(kind)); }

    // Looks whether the device went away or came back, and writes the state it holds to a device
    // that came back, or that lost it. The engine calls it every second; an LPT port has nothing to
    // look at.
    virtual void check() {}
    // Runs `then` on the caller's thread once every call made so far has been carried out: at once
    // for a port that writes as it is called.
    virtual void whenDone(std::function<void()> then) { then(); }
    // Told, on the caller's thread, when an outcome that came later than its call may have changed
    // problem(). A port that writes as it is called never needs to.
    virtual void setListener(std::function<void()> listener) { Q_UNUSED(listener); }
};
