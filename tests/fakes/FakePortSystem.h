#pragma once

#include <QtGlobal>

#ifdef Q_OS_LINUX

#include "relay/PortSystem.h"

#include <QHash>
#include <QSet>

#include <cerrno>
#include <utility>

#include <linux/ppdev.h>
#include <sys/ioctl.h>

// Records every system call the Linux relay backends make, as readable lines
// ("open /dev/parport0", "claim 3", "write 3 0x01", "ioperm 0x378 1 1", "outb 0x378 0x01"),
// and answers from the devices, /proc files and errors a test sets up.
class FakePortSystem : public PortSystem
{
public:
    // With a journal, calls are also recorded there, so a test can see what the port does as it ends.
    explicit FakePortSystem(QStringList* journal = nullptr) : m_journal(journal) {}

    // A parport as the kernel lists it: /proc/sys/dev/parport/parportN/base-addr, and its device node.
    void addParport(int index, const QByteArray& baseAddrLine, bool withDevice = true)
    {
        files.insert(procDir(index) + QStringLiteral("/base-addr"), baseAddrLine);
        if (withDevice)
            devices.insert(devicePath(index));
    }
    static QString procDir(int index) { return QStringLiteral("/proc/sys/dev/parport/parport%1").arg(index); }
    static QByteArray devicePath(int index) { return "/dev/parport" + QByteArray::number(index); }

    int open(const QByteArray& path, int) override
    {
        record(QStringLiteral("open ") + QString::fromLatin1(path));
        if (openErrors.contains(path))
            return fail(openErrors.value(path));
        if (!devices.contains(path))
            return fail(ENOENT);
        const int fd = m_nextFd++;
        m_open.insert(fd);
        return fd;
    }
    int ioctl(int fd, unsigned long request, void* argument) override
    {
        if (!m_open.contains(fd))
            return fail(EBADF, QStringLiteral("ioctl on closed %1").arg(fd));
        if (request == PPCLAIM) {
            record(QStringLiteral("claim %1").arg(fd));
            return claimError ? fail(claimError) : 0;
        }
        if (request == PPRELEASE) {
            record(QStringLiteral("release %1").arg(fd));
            return 0;
        }
        if (request == PPWDATA) {
            record(QStringLiteral("write %1 %2").arg(fd).arg(hex(*static_cast<unsigned char*>(argument))));
            return writeError ? fail(writeError) : 0;
        }
        return fail(EINVAL, QStringLiteral("unexpected ioctl %1").arg(request));
    }
    int close(int fd) override
    {
        record(QStringLiteral("close %1").arg(fd));
        return m_open.remove(fd) ? 0 : fail(EBADF);
    }
    int ioperm(unsigned long from, unsigned long count, int turnOn) override
    {
        record(QStringLiteral("ioperm %1 %2 %3").arg(hex(from)).arg(count).arg(turnOn));
        return rawIoPermitted ? 0 : fail(EPERM);
    }
    void outb(unsigned char value, unsigned short port) override
    {
        record(QStringLiteral("outb %1 %2").arg(hex(port), hex(value)));
    }
    std::optional<QByteArray> readFile(const QString& path) override
    {
        const auto it = files.constFind(path);
        return it == files.constEnd() ? std::nullopt : std::optional<QByteArray>(*it);
    }
    QStringList subdirectories(const QString& directory) override
    {
        QString prefix = directory;
        if (!prefix.endsWith(QLatin1Char('/')))
            prefix += QLatin1Char('/');
        QStringList names;
        for (auto it = files.constBegin(); it != files.constEnd(); ++it) {
            if (!it.key().startsWith(prefix))
                continue;
            const QString rest = it.key().mid(prefix.size());
            if (rest.contains(QLatin1Char('/')) && !names.contains(rest.section(QLatin1Char('/'), 0, 0)))
                names << rest.section(QLatin1Char('/'), 0, 0);
        }
        names.sort();
        return names;
    }

    // The calls made since the last take, and forgets them.
    QStringList takeCalls() { return std::exchange(calls, {}); }
    int openDescriptors() const { return int(m_open.size()); }

    QHash<QString, QByteArray> files;  // /proc paths and their contents
    QSet<QByteArray> devices;          // device nodes that open
    QHash<QByteArray, int> openErrors; // errno for opening a path, whether or not it exists
    int claimError = 0;                // errno for PPCLAIM, 0 to succeed
    int writeError = 0;                // errno for PPWDATA, 0 to succeed
    bool rawIoPermitted = false;
    QStringList calls;

private:
    static QString hex(unsigned long value)
    {
        return QStringLiteral("0x") +
               QString::number(value, 16).toUpper().rightJustified(2, QLatin1Char('0'));
    }
    void record(const QString& call)
    {
        calls << call;
        if (m_journal)
            *m_journal << call;
    }
    int fail(int error, const QString& note = {})
    {
        if (!note.isEmpty())
            record(note);
        errno = error;
        return -1;
    }

    QStringList* m_journal;
    QSet<int> m_open;
    int m_nextFd = 3;
};

#endif
