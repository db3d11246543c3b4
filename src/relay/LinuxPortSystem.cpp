#include "relay/LinuxPortSystem.h"

#ifdef Q_OS_LINUX

#include <QDir>
#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#if (defined(__x86_64__) || defined(__i386__)) && __has_include(<sys/io.h>)
#include <sys/io.h>
#define VEZOZIL_HAVE_PORT_IO 1
#endif

int LinuxPortSystem::open(const QByteArray& path, int flags)
{
    return ::open(path.constData(), flags);
}

int LinuxPortSystem::ioctl(int fd, unsigned long request, void* argument)
{
    return ::ioctl(fd, request, argument);
}

int LinuxPortSystem::close(int fd)
{
    return ::close(fd);
}

int LinuxPortSystem::ioperm(unsigned long from, unsigned long count, int turnOn)
{
#ifdef VEZOZIL_HAVE_PORT_IO
    return ::ioperm(from, count, turnOn);
#else
    Q_UNUSED(from);
    Q_UNUSED(count);
    Q_UNUSED(turnOn);
    errno = ENOSYS;
    return -1;
#endif
}

void LinuxPortSystem::outb(unsigned char value, unsigned short port)
{
#ifdef VEZOZIL_HAVE_PORT_IO
    ::outb(value, port);
#else
    Q_UNUSED(value);
    Q_UNUSED(port);
#endif
}

std::optional<QByteArray> LinuxPortSystem::readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // /proc files report no size; a base-address line is far shorter than this.
    return file.read(256);
}

QStringList LinuxPortSystem::subdirectories(const QString& directory)
{
    return QDir(directory).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

#endif
