#pragma once

#include "relay/GpioSystem.h"

#ifdef VEZOZIL_HAVE_GPIOD

// The real calls into libgpiod (the 1.6 API: a chip, a line, a request).
class LibgpiodSystem : public GpioSystem
{
public:
    QList<GpioChipEntry> chips() override;
    std::unique_ptr<GpioChip> openChip(const QByteArray& chip) override;
};

#endif
