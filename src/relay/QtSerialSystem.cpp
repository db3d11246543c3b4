#include "relay/QtSerialSystem.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPort>
#include <QSerialPortInfo>

namespace {
// Long enough for four bytes to reach the system's buffer, short enough not to hold up the tick.
constexpr int WriteWaitMs = 500;

class QtSerialLink : public SerialLink
{
public:
    QtSerialLink()
    {
        // An unplugged board is let go at once, so that the system can give its name to the board
        // when it is plugged back.
        QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                         [this](QSerialPort::SerialPortError e) {
                             if (e == QSerialPort::ResourceError && m_port.isOpen())
                                 m_port.close();
                         });
        // A board that answers must not fill the read buffer, which would stop the port noticing an unplug.
        QObject::connect(&m_port, &QSerialPort::readyRead, &m_port, [this] { m_port.readAll(); });
    }

    bool open(const QString& name)
    {
        m_port.setPortName(name);
        m_port.setBaudRate(QSerialPort::Baud9600);
        m_port.setDataBits(QSerialPort::Data8);
        m_port.setParity(QSerialPort::NoParity);
        m_port.setStopBits(QSerialPort::OneStop);
        m_port.setFlowControl(QSerialPort::NoFlowControl);
        return m_port.open(QIODevice::ReadWrite);
    }
    QSerialPort::SerialPortError lastError() const { return m_port.error(); }

    bool write(const QByteArray& bytes) override
    {
        if (!m_port.isOpen() || m_port.write(bytes) != bytes.size())
            return false;
        if (m_port.bytesToWrite() > 0)
            m_port.waitForBytesWritten(WriteWaitMs);
        return m_port.isOpen() && m_port.bytesToWrite() == 0 && m_port.error() == QSerialPort::NoError;
    }
    bool healthy() const override { return m_port.isOpen(); }
    QString error() const override { return m_port.errorString(); }

private:
    QSerialPort m_port;
};

RelayFailure failureOf(QSerialPort::SerialPortError error, const QString& port)
{
    switch (error) {
    case QSerialPort::PermissionError:
#ifdef Q_OS_WIN
        Q_UNUSED(port);
        return RelayFailure::Busy; // Windows denies access to a COM port that another program holds
#else
        // Qt gives this both for a port this user may not open and for one another program holds.
        return QFileInfo(port).isWritable() ? RelayFailure::Busy : RelayFailure::NotPermitted;
#endif
    case QSerialPort::OpenError:
        return RelayFailure::Busy;
    default:
        return RelayFailure::Unreachable;
    }
}

// The /dev/serial/by-id link that leads to `location`: it names the board, not the order of plugging.
QString stableName(const QString& location)
{
    const QDir byId(QStringLiteral("/dev/serial/by-id"));
    for (const QFileInfo& link : byId.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        if (link.canonicalFilePath() == QFileInfo(location).canonicalFilePath())
            return link.absoluteFilePath();
    }
    return location;
}
} // namespace

QList<SerialPortEntry> QtSerialSystem::ports()
{
    QList<SerialPortEntry> entries;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialPortEntry e;
        e.location = info.systemLocation();
        e.id = stableName(e.location);
        e.description = info.description();
        if (info.hasVendorIdentifier()) {
            e.vendor = info.vendorIdentifier();
            e.product = info.productIdentifier();
        }
        entries << e;
    }
    return entries;
}

std::unique_ptr<SerialLink> QtSerialSystem::open(const QString& port, RelayFailure& failure, QString& detail)
{
    auto link = std::make_unique<QtSerialLink>();
    if (!link->open(port)) {
        failure = failureOf(link->lastError(), port);
        detail = link->error();
        return nullptr;
    }
    return link;
}

QString QtSerialSystem::resolve(const QString& port)
{
#ifdef Q_OS_WIN
    // A COM port is a name, not a file: it is there while the system lists it.
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (info.portName().compare(port, Qt::CaseInsensitive) == 0)
            return info.portName();
    }
    return {};
#else
    // QSerialPort takes "ttyUSB0" for "/dev/ttyUSB0".
    const QString path = port.startsWith(QLatin1Char('/')) ? port : QStringLiteral("/dev/") + port;
    return QFileInfo(path).canonicalFilePath();
#endif
}
