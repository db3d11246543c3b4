#include "relay/LinuxRelayPort.h"

#ifdef Q_OS_LINUX

#include "relay/ParportDirectory.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/ioctl.h>

#include <linux/ppdev.h>

namespace {
// Errors that mean there is no ppdev device for the port, so raw port I/O may stand in for it.
bool ppdevMissing(int error)
{
    return error == ENOENT || error == ENODEV || error == ENXIO;
}

} // namespace

LinuxRelayPort::LinuxRelayPort(std::unique_ptr<PortSystem> system) : m_system(std::move(system)) {}

// Closing leaves the data lines as they are: the relay keeps its last state after the program ends.
LinuxRelayPort::~LinuxRelayPort()
{
    close();
}

bool LinuxRelayPort::Out32(quint16 address, quint16 value)
{
    // Address 0 means that no port was chosen; nothing may be written anywhere.
    if (address == 0) {
        m_status.fail(RelayFailure::NoAddress, address, QStringLiteral("no port address"));
        return false;
    }
    if (m_route != Route::None && address != m_address)
        close();
    if (m_route == Route::None && !open(address))
        return false;

    unsigned char byte = static_cast<unsigned char>(value & 0xFF);
    if (m_route == Route::RawIo) {
        m_system->outb(byte, address);
    } else if (m_system->ioctl(m_fd, PPWDATA, &byte) != 0) {
        const int error = errno;
        const QString detail = QStringLiteral("writing to %1: %2")
                                   .arg(QString::fromLatin1(m_device), RelayPortStatus::errorText(error));
        close(); // reopened at the next write
        m_status.fail(RelayFailure::WriteFailed, address, detail);
        return false;
    }
    m_status.succeed(address, routeName());
    return true;
}

bool LinuxRelayPort::open(quint16 address)
{
    const QByteArray device = ParportDirectory(*m_system).deviceFor(address);
    RelayFailure failure = RelayFailure::Unreachable;
    QString detail = QStringLiteral("no /dev/parport device is known for this address");
    bool rawIoAllowed = true;
    if (!device.isEmpty()) {
        const int error = openPpdev(device, detail);
        if (error == 0) {
            m_route = Route::Ppdev;
            m_address = address;
            m_device = device;
            return true;
        }
        failure = RelayPortStatus::failureOf(error);
        // A port that another driver holds, or that fails, must not be driven behind the kernel's back.
        rawIoAllowed = ppdevMissing(error) || failure == RelayFailure::NotPermitted;
    }
    if (rawIoAllowed) {
        if (m_system->ioperm(address, 1, 1) == 0) {
            m_route = Route::RawIo;
            m_address = address;
            return true;
        }
        detail += QStringLiteral("; raw port I/O: ") + RelayPortStatus::errorText(errno);
    }
    m_status.fail(failure, address, detail);
    return false;
}

int LinuxRelayPort::openPpdev(const QByteArray& device, QString& detail)
{
    const QString name = QString::fromLatin1(device);
    const int fd = m_system->open(device, O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno != 0 ? errno : EIO;
        detail = QStringLiteral("opening %1: %2").arg(name, RelayPortStatus::errorText(error));
        if (RelayPortStatus::failureOf(error) == RelayFailure::NotPermitted)
            detail += QStringLiteral(" (is the user in group \"lp\"?)");
        else if (ppdevMissing(error))
            detail += QStringLiteral(" (is the ppdev module loaded?)");
        return error;
    }
    if (m_system->ioctl(fd, PPCLAIM, nullptr) != 0) {
        const int error = errno != 0 ? errno : EIO;
        detail = QStringLiteral("claiming %1: %2").arg(name, RelayPortStatus::errorText(error));
        m_system->close(fd);
        return error;
    }
    m_fd = fd;
    return 0;
}

void LinuxRelayPort::close()
{
    if (m_route == Route::Ppdev) {
        m_system->ioctl(m_fd, PPRELEASE, nullptr);
        m_system->close(m_fd);
    } else if (m_route == Route::RawIo) {
        m_system->ioperm(m_address, 1, 0);
    }
    m_route = Route::None;
    m_fd = -1;
    m_device.clear();
}

QString LinuxRelayPort::routeName() const
{
    return m_route == Route::Ppdev ? QString::fromLatin1(m_device) : QStringLiteral("raw port I/O");
}

#endif
