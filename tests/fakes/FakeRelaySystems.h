#pragma once

#include "relay/GpioSystem.h"
#include "relay/HidSystem.h"
#include "relay/SerialSystem.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <cerrno>

// Recording fakes of the system interfaces the USB and GPIO relay backends use. Each writes what it
// is asked to do as readable lines into a journal the test keeps ("open /dev/ttyUSB0",
// "write A0 01 01 A2", "close /dev/ttyUSB0"), and answers from the devices and errors the test sets.

inline QString hexBytes(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

// What the fakes of one test share: the journal, and the faults that stand for an unplugged board.
struct FakeRelayWorld
{
    QStringList journal;
    QSet<QString> missing;            // devices not attached: they neither open nor take writes
    QHash<QString, quint8> hidRelays; // the relays each HID board holds, a bit a channel
    int openError = 0;                // errno for opening a HID board or a GPIO chip, 0 to open
    bool writesFail = false;
    QStringList take() { return std::exchange(journal, {}); }
};

class FakeHidSystem : public HidSystem
{
public:
    explicit FakeHidSystem(FakeRelayWorld& world) : m_world(world) {}

    struct Board
    {
        QByteArray path;
        QString product;
        QByteArray serial; // as the board reports it in its feature report
    };
    QList<Board> boards;

    QList<HidDeviceEntry> enumerate(quint16 vendor, quint16 product) override
    {
        QList<HidDeviceEntry> entries;
        if (vendor != 0x16c0 || product != 0x05df)
            return entries;
        for (const Board& b : boards) {
            if (!m_world.missing.contains(QString::fromLatin1(b.path)))
                entries << HidDeviceEntry{b.path, b.product, QString()};
        }
        return entries;
    }
    std::unique_ptr<HidHandle> open(const QByteArray& path, int& error, QString& detail) override;

private:
    FakeRelayWorld& m_world;
};

class FakeHidHandle : public HidHandle
{
public:
    FakeHidHandle(FakeRelayWorld& world, QByteArray path, QByteArray serial)
        : m_world(world), m_path(std::move(path)), m_serial(std::move(serial))
    {
        m_world.journal << QStringLiteral("open ") + QString::fromLatin1(m_path);
    }
    ~FakeHidHandle() override { m_world.journal << QStringLiteral("close ") + QString::fromLatin1(m_path); }
    int sendFeatureReport(const QByteArray& report) override
    {
        m_world.journal << QStringLiteral("report ") + hexBytes(report);
        if (broken())
            return -1;
        quint8& relays = m_world.hidRelays[QString::fromLatin1(m_path)];
        const quint8 bit = quint8(1u << (report[2] - 1));
        relays = quint8(report[1]) == 0xFF ? relays | bit : relays & ~bit;
        return int(report.size());
    }
    int getFeatureReport(QByteArray& report) override
    {
        if (m_world.missing.contains(QString::fromLatin1(m_path)))
            return -1;
        // The report id stays in front; the serial follows it, the relay states end it.
        report.replace(1, m_serial.size(), m_serial);
        report[report.size() - 1] = char(m_world.hidRelays.value(QString::fromLatin1(m_path)));
        return int(report.size());
    }
    QString error() const override { return QStringLiteral("Input/output error"); }

private:
    bool broken() const
    {
        return m_world.writesFail || m_world.missing.contains(QString::fromLatin1(m_path));
    }
    FakeRelayWorld& m_world;
    QByteArray m_path;
    QByteArray m_serial;
};

inline std::unique_ptr<HidHandle> FakeHidSystem::open(const QByteArray& path, int& error, QString& detail)
{
    const Board* board = nullptr;
    for (const Board& b : boards) {
        if (b.path == path)
            board = &b;
    }
    error = m_world.openError;
    if (!board || m_world.missing.contains(QString::fromLatin1(path)))
        error = ENOENT;
    if (error != 0) {
        detail = QStringLiteral("cannot open ") + QString::fromLatin1(path);
        return nullptr;
    }
    return std::make_unique<FakeHidHandle>(m_world, path, board->serial);
}

class FakeSerialSystem : public SerialSystem
{
public:
    explicit FakeSerialSystem(FakeRelayWorld& world) : m_world(world) {}

    QList<SerialPortEntry> entries; // what ports() lists

    QList<SerialPortEntry> ports() override { return entries; }
    std::unique_ptr<SerialLink> open(const QString& port, RelayFailure& failure, QString& detail) override;
    QString resolve(const QString& port) override
    {
        return m_world.missing.contains(port) ? QString() : port;
    }

private:
    FakeRelayWorld& m_world;
};

class FakeSerialLink : public SerialLink
{
public:
    FakeSerialLink(FakeRelayWorld& world, QString port) : m_world(world), m_port(std::move(port))
    {
        m_world.journal << QStringLiteral("open ") + m_port;
    }
    ~FakeSerialLink() override { m_world.journal << QStringLiteral("close ") + m_port; }
    bool write(const QByteArray& bytes) override
    {
        m_world.journal << QStringLiteral("write ") + hexBytes(bytes);
        return !m_world.writesFail;
    }
    // An unplugged port reports itself gone, as QSerialPort does.
    bool healthy() const override { return !m_world.missing.contains(m_port); }
    QString error() const override { return QStringLiteral("Input/output error"); }

private:
    FakeRelayWorld& m_world;
    QString m_port;
};

inline std::unique_ptr<SerialLink> FakeSerialSystem::open(const QString& port, RelayFailure& failure,
                                                          QString& detail)
{
    if (m_world.missing.contains(port)) {
        failure = RelayFailure::Unreachable;
        detail = QStringLiteral("No such file or directory");
        return nullptr;
    }
    return std::make_unique<FakeSerialLink>(m_world, port);
}

class FakeGpioSystem : public GpioSystem
{
public:
    explicit FakeGpioSystem(FakeRelayWorld& world) : m_world(world) {}

    QHash<QByteArray, int> chipLines{{"/dev/gpiochip0", 54}}; // chips and their number of lines
    int requestError = 0;                                     // errno for requesting a line

    QList<GpioChipEntry> chips() override
    {
        QList<GpioChipEntry> entries;
        for (auto it = chipLines.cbegin(); it != chipLines.cend(); ++it)
            entries << GpioChipEntry{QString::fromLatin1(it.key()), QStringLiteral("pinctrl-bcm2835"),
                                     it.value()};
        return entries;
    }
    std::unique_ptr<GpioChip> openChip(const QByteArray& chip) override;

    FakeRelayWorld& world() { return m_world; }

private:
    FakeRelayWorld& m_world;
};

class FakeGpioLine : public GpioLine
{
public:
    FakeGpioLine(FakeRelayWorld& world, QString chip, unsigned offset, int value)
        : m_world(world), m_chip(std::move(chip)), m_offset(offset), m_value(value)
    {
    }
    ~FakeGpioLine() override { m_world.journal << QStringLiteral("release %1").arg(m_offset); }
    int setValue(int value) override
    {
        m_world.journal << QStringLiteral("set %1 %2").arg(m_offset).arg(value);
        if (!m_world.writesFail && !m_world.missing.contains(m_chip)) {
            m_value = value;
            return 0;
        }
        errno = EIO;
        return -1;
    }
    int value() override { return m_world.missing.contains(m_chip) ? -1 : m_value; }

private:
    FakeRelayWorld& m_world;
    QString m_chip;
    unsigned m_offset;
    int m_value;
};

class FakeGpioChip : public GpioChip
{
public:
    FakeGpioChip(FakeGpioSystem& system, QByteArray path, int lines)
        : m_system(system), m_path(std::move(path)), m_lines(lines)
    {
        m_system.world().journal << QStringLiteral("open ") + QString::fromLatin1(m_path);
    }
    ~FakeGpioChip() override
    {
        m_system.world().journal << QStringLiteral("close ") + QString::fromLatin1(m_path);
    }
    int lines() const override { return m_lines; }
    std::unique_ptr<GpioLine> requestOutput(unsigned offset, bool activeLow, int value) override
    {
        m_system.world().journal << QStringLiteral("request %1 output%2 %3")
                                        .arg(offset)
                                        .arg(activeLow ? QStringLiteral(" active-low") : QString())
                                        .arg(value);
        if (m_system.requestError != 0 || m_system.world().writesFail) {
            errno = m_system.requestError != 0 ? m_system.requestError : EIO;
            return nullptr;
        }
        return std::make_unique<FakeGpioLine>(m_system.world(), QString::fromLatin1(m_path), offset, value);
    }

private:
    FakeGpioSystem& m_system;
    QByteArray m_path;
    int m_lines;
};

inline std::unique_ptr<GpioChip> FakeGpioSystem::openChip(const QByteArray& chip)
{
    if (!chipLines.contains(chip) || m_world.missing.contains(QString::fromLatin1(chip))) {
        errno = ENOENT;
        return nullptr;
    }
    if (m_world.openError != 0) {
        errno = m_world.openError;
        return nullptr;
    }
    return std::make_unique<FakeGpioChip>(*this, chip, chipLines.value(chip));
}
