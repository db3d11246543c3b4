#pragma once

#include "relay/HidSystem.h"

#ifdef VEZOZIL_HAVE_HIDAPI

// The real calls into hidapi (the hidraw backend on Linux).
class HidapiSystem : public HidSystem
{
public:
    QList<HidDeviceEntry> enumerate(quint16 vendor, quint16 product) override;
    std::unique_ptr<HidHandle> open(const QByteArray& path, int& error, QString& detail) override;
};

#endif
