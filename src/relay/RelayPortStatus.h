#pragma once

#include <QString>

#include <bitset>

// Why a relay write did not go through; each kind has its own text for the amplifier frame.
enum class RelayFailure {
    NoAddress,    // address 0: no port chosen
    Unreachable,  // no driver or device for the port
    NotPermitted, // the device exists but this user may not use it
    Busy,         // another program holds the port
    WriteFailed,  // the port was open but the byte did not go out
    Unsupported,  // this system has no way to drive a port
};

// The state every relay backend shares: the operator's text for the current failure, and a log
// that names each kind of failure once, so a relay that fails every second does not flood it.
class RelayPortStatus
{
public:
    void fail(RelayFailure kind, quint16 address, const QString& detail);
    // A byte went out through `route` ("/dev/parport0", "raw port I/O"); clears the problem.
    void succeed(quint16 address, const QString& route);

    const QString& problem() const { return m_problem; }

    static QString problemText(RelayFailure kind, quint16 address);
    // "LPT1, 0x378" for the three standard ports, otherwise the address alone ("0xD010").
    static QString portName(quint16 address);

private:
    QString m_problem;
    std::bitset<6> m_logged;
    bool m_recoveryToLog = false;
    QString m_loggedRoute;
};
