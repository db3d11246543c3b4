#pragma once

#include "relay/PortSystem.h"

#include <QByteArray>

// Finds the ppdev device (/dev/parportN) that drives a port's data register, from the base
// addresses the kernel lists under /proc/sys/dev/parport.
class ParportDirectory
{
public:
    explicit ParportDirectory(PortSystem& system) : m_system(system) {}

    // The device whose base address is `address`. Failing that, the usual device for the three
    // standard addresses (parport0, 1, 2 for 0x378, 0x278, 0x3BC), unless the kernel lists that
    // device at another of them. Empty when no device is known.
    QByteArray deviceFor(quint16 address) const;

private:
    std::optional<quint64> baseAddress(const QString& entry) const;

    PortSystem& m_system;
};
