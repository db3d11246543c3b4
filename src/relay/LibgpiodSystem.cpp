#include "relay/LibgpiodSystem.h"

#ifdef VEZOZIL_HAVE_GPIOD

#include <QDir>

#include <gpiod.h>

namespace {
// How the program shows itself to `gpioinfo` as the holder of the line.
const char* const Consumer = "vezozil";

class LibgpiodLine : public GpioLine
{
public:
    explicit LibgpiodLine(gpiod_line* line) : m_line(line) {}
    // Releasing leaves the value as it is.
    ~LibgpiodLine() override { gpiod_line_release(m_line); }
    LibgpiodLine(const LibgpiodLine&) = delete;
    LibgpiodLine& operator=(const LibgpiodLine&) = delete;

    int setValue(int value) override { return gpiod_line_set_value(m_line, value); }
    int value() override { return gpiod_line_get_value(m_line); }

private:
    gpiod_line* m_line;
};

class LibgpiodChip : public GpioChip
{
public:
    explicit LibgpiodChip(gpiod_chip* chip) : m_chip(chip) {}
    ~LibgpiodChip() override { gpiod_chip_close(m_chip); }
    LibgpiodChip(const LibgpiodChip&) = delete;
    LibgpiodChip& operator=(const LibgpiodChip&) = delete;

    int lines() const override { return static_cast<int>(gpiod_chip_num_lines(m_chip)); }
    std::unique_ptr<GpioLine> requestOutput(unsigned offset, bool activeLow, int value) override
    {
        gpiod_line* line = gpiod_chip_get_line(m_chip, offset);
        if (line == nullptr)
            return nullptr;
        const int flags = activeLow ? GPIOD_LINE_REQUEST_FLAG_ACTIVE_LOW : 0;
        if (gpiod_line_request_output_flags(line, Consumer, flags, value) != 0)
            return nullptr;
        return std::make_unique<LibgpiodLine>(line);
    }

private:
    gpiod_chip* m_chip;
};
} // namespace

QList<GpioChipEntry> LibgpiodSystem::chips()
{
    QList<GpioChipEntry> entries;
    const QDir dev(QStringLiteral("/dev"));
    for (const QString& name : dev.entryList({QStringLiteral("gpiochip*")}, QDir::System, QDir::Name)) {
        GpioChipEntry entry{dev.filePath(name), QString(), 0};
        if (gpiod_chip* chip = gpiod_chip_open(entry.path.toLocal8Bit().constData())) {
            entry.label = QString::fromLocal8Bit(gpiod_chip_label(chip));
            entry.lines = static_cast<int>(gpiod_chip_num_lines(chip));
            gpiod_chip_close(chip);
        }
        entries << entry;
    }
    return entries;
}

std::unique_ptr<GpioChip> LibgpiodSystem::openChip(const QByteArray& chip)
{
    gpiod_chip* opened = gpiod_chip_open_lookup(chip.constData());
    if (opened == nullptr)
        return nullptr;
    return std::make_unique<LibgpiodChip>(opened);
}

#endif
