#pragma once

#include <QDateTime>
#include <QString>

#include <bitset>
#include <functional>

// Why a relay write did not go through; each kind has its own text for the amplifier frame.
enum class RelayFailure {
    NoAddress,     // address 0: no port chosen
    Unreachable,   // no driver or device for the port
    NotPermitted,  // the device exists but this user may not use it
    Busy,          // another program holds the port
    WriteFailed,   // the port was open but the byte did not go out
    Unsupported,   // this system has no way to drive a port
    NoSuchChannel, // the board has no such channel, the chip no such line
    NotARelay,     // the device named is something else (another HID device)
};

// What the relay hangs on, as the amplifier frame names it: "Röle portu" (LPT), "Röle kartı" (USB),
// "GPIO hattı".
enum class RelayNoun { Port, Board, GpioLine };

// The state every relay backend shares: the operator's text for the current failure, and the
// journal of failed writes. The first failure of a run of failures, and each new kind of failure in
// it, is logged at once; the repeats are counted and summarised with their first and last time, at
// widening intervals (one minute, doubling up to an hour), when the relay works again and when the
// backend ends. So every failed write is in the journal, and a relay that fails every second all
// day still writes only a few dozen lines.
class RelayPortStatus
{
public:
    using Now = std::function<QDateTime()>;

    // `place` names the device for the operator ("USB seri, /dev/ttyUSB0"), `logName` for the journal
    // ("usb-seri:/dev/ttyUSB0#1"). The LPT backends name the port from the address of each write.
    explicit RelayPortStatus(RelayNoun noun = RelayNoun::Port, QString place = {}, QString logName = {},
                             Now now = {});
    ~RelayPortStatus();
    RelayPortStatus(const RelayPortStatus&) = delete;
    RelayPortStatus& operator=(const RelayPortStatus&) = delete;

    // The LPT backends: the port is the one at `address`.
    void fail(RelayFailure kind, quint16 address, const QString& detail);
    // A byte went out through `route` ("/dev/parport0", "raw port I/O"); clears the problem.
    void succeed(quint16 address, const QString& route);
    // The other kinds: the device given at construction.
    void fail(RelayFailure kind, const QString& detail);
    void succeed(const QString& route);

    const QString& problem() const { return m_problem; }

    static QString problemText(RelayFailure kind, quint16 address);
    static QString problemText(RelayFailure kind, RelayNoun noun, const QString& place);
    // "LPT1, 0x378" for the three standard ports, otherwise the address alone ("0xD010").
    static QString portName(quint16 address);

    // What a system call's errno means for the operator: no permission, taken by another program, or
    // not reachable at all; and the system's own words for the log.
    static RelayFailure failureOf(int error);
    static QString errorText(int error);

private:
    void failed(RelayFailure kind, const QString& problem, const QString& logName, const QString& detail);
    void succeeded(const QString& logName, const QString& route);
    // Logs the repeats counted since the last line, if any.
    void summarise();
    QString repeatsText() const;

    const RelayNoun m_noun;
    const QString m_place;
    const QString m_logName;
    const Now m_now;

    QString m_problem;
    QString m_failingName; // the device of the current run of failures; empty while writes go through
    std::bitset<8> m_logged;
    int m_repeats = 0;
    QDateTime m_firstRepeat;
    QDateTime m_lastRepeat;
    QString m_repeatDetail;
    QDateTime m_lastLine;
    qint64 m_summaryInterval = 60;
    QString m_loggedRoute;
};
