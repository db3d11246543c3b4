#pragma once

#include <QByteArray>
#include <QStringList>

#include <optional>

// The few system calls the Linux relay backends make, behind one seam so that tests record them
// instead of touching a device. Calls that fail return -1 and leave the reason in errno, as the
// system calls themselves do.
class PortSystem
{
public:
    virtual ~PortSystem() = default;

    virtual int open(const QByteArray& path, int flags) = 0;
    virtual int ioctl(int fd, unsigned long request, void* argument) = 0;
    virtual int close(int fd) = 0;
    virtual int ioperm(unsigned long from, unsigned long count, int turnOn) = 0;
    virtual void outb(unsigned char value, unsigned short port) = 0;

    // Contents of a small system file (the /proc entries), std::nullopt when it cannot be read.
    virtual std::optional<QByteArray> readFile(const QString& path) = 0;
    // Names of the sub-directories of `directory`, empty when it is missing.
    virtual QStringList subdirectories(const QString& directory) = 0;
};
