#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

// A HID device as the system lists it.
struct HidDeviceEntry
{
    QByteArray path; // "/dev/hidraw3"
    QString product; // "USBRelay2"
    QString serialNumber;
};

// An open HID device; closed when destroyed.
class HidHandle
{
public:
    virtual ~HidHandle() = default;
    // `report` starts with its report id. The bytes sent, or -1.
    virtual int sendFeatureReport(const QByteArray& report) = 0;
    // `report` holds the report id in its first byte and room for the report after it. The bytes
    // read, the report id counted, or -1.
    virtual int getFeatureReport(QByteArray& report) = 0;
    // Why the last call failed.
    virtual QString error() const = 0;
};

// The few calls the USB HID relay backend makes into hidapi, behind one seam so that tests record
// them instead of touching a device.
class HidSystem
{
public:
    virtual ~HidSystem() = default;
    virtual QList<HidDeviceEntry> enumerate(quint16 vendor, quint16 product) = 0;
    // Null when the device cannot be opened; `error` is then the errno of the failure (0 when
    // unknown) and `detail` says why.
    virtual std::unique_ptr<HidHandle> open(const QByteArray& path, int& error, QString& detail) = 0;
};
