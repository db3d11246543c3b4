#pragma once

#include "relay/RelayPortStatus.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

// A serial port as the system lists it.
struct SerialPortEntry
{
    QString id;       // what to open: the stable /dev/serial/by-id link where there is one, else the port
    QString location; // "/dev/ttyUSB0", "COM3"
    QString description;
    quint16 vendor = 0; // 0 when the port is not a USB one
    quint16 product = 0;
};

// An open serial port, at 9600 8N1; closed when destroyed.
class SerialLink
{
public:
    virtual ~SerialLink() = default;
    // True when every byte was handed to the system.
    virtual bool write(const QByteArray& bytes) = 0;
    // False once the port has reported itself gone (the board was unplugged).
    virtual bool healthy() const = 0;
    virtual QString error() const = 0;
};

// The serial ports the USB-serial relay backend opens, behind one seam so that tests record the bytes
// instead of touching a device.
class SerialSystem
{
public:
    virtual ~SerialSystem() = default;
    virtual QList<SerialPortEntry> ports() = 0;
    // Null when the port cannot be opened; `failure` and `detail` then say why.
    virtual std::unique_ptr<SerialLink> open(const QString& port, RelayFailure& failure, QString& detail) = 0;
    // The device `port` leads to now ("/dev/ttyUSB0" for a /dev/serial/by-id link), empty when there is
    // none: a board plugged back elsewhere, or a link pointed at another board, leads somewhere else.
    virtual QString resolve(const QString& port) = 0;
};
