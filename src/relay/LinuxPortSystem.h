#pragma once

#include <QtGlobal>

#ifdef Q_OS_LINUX

#include "relay/PortSystem.h"

// The real system calls. Raw port I/O exists only on x86; elsewhere ioperm fails with ENOSYS.
class LinuxPortSystem : public PortSystem
{
public:
    int open(const QByteArray& path, int flags) override;
    int ioctl(int fd, unsigned long request, void* argument) override;
    int close(int fd) override;
    int ioperm(unsigned long from, unsigned long count, int turnOn) override;
    void outb(unsigned char value, unsigned short port) override;
    std::optional<QByteArray> readFile(const QString& path) override;
    QStringList subdirectories(const QString& directory) override;
};

#endif
