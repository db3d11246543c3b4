#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

// A GPIO chip as the system lists it.
struct GpioChipEntry
{
    QString path;  // "/dev/gpiochip0"
    QString label; // "pinctrl-bcm2711"; empty when the chip cannot be opened
    int lines = 0;
};

// A line requested as an output; released, with its value left as it is, when destroyed.
class GpioLine
{
public:
    virtual ~GpioLine() = default;
    // 0, or -1 with the reason in errno.
    virtual int setValue(int value) = 0;
    // The value the line is driven to, or -1 with the reason in errno (its chip went away).
    virtual int value() = 0;
};

// An open GPIO chip; closed when destroyed.
class GpioChip
{
public:
    virtual ~GpioChip() = default;
    virtual int lines() const = 0;
    // Null, with the reason in errno, when the line cannot be had as an output. `value` is the
    // line's first value, so the request itself is the first write.
    virtual std::unique_ptr<GpioLine> requestOutput(unsigned offset, bool activeLow, int value) = 0;
};

// The few libgpiod calls the GPIO relay backend makes, behind one seam so that tests record them
// instead of touching a line.
class GpioSystem
{
public:
    virtual ~GpioSystem() = default;
    virtual QList<GpioChipEntry> chips() = 0;
    // Null, with the reason in errno, when the chip cannot be opened. `chip` is a path, a name
    // ("gpiochip0"), a number or a label.
    virtual std::unique_ptr<GpioChip> openChip(const QByteArray& chip) = 0;
};
