#include "relay/HidRelayPort.h"

#include <QFileInfo>

#include <cerrno>

namespace {
constexpr int ReportSize = 9; // the report id, then the board's eight bytes
const QString ProductPrefix = QStringLiteral("USBRelay");

// "/dev/hidraw3", or a Windows device path; a serial is five letters and digits.
bool isPath(const QString& device)
{
    return device.contains(QLatin1Char('/')) || device.contains(QLatin1Char('\\'));
}

QString withHint(int error, const QString& detail)
{
    if (RelayPortStatus::failureOf(error) == RelayFailure::NotPermitted)
        return detail + QStringLiteral(" (is the udev rule 60-vezozil-usbrelay.rules installed?)");
    return detail;
}

// "USBRelay2" -> 2; 0 when the name gives no count.
int channelCount(const QString& product)
{
    return product.mid(ProductPrefix.size()).toInt();
}
} // namespace

HidRelayPort::HidRelayPort(std::unique_ptr<HidSystem> system, const RelaySettings& relay,
                           RelayPortStatus::Now now)
    : ChannelRelayPort(RelayNoun::Board, relayPlace(relay), relay.target(0), std::move(now)),
      m_system(std::move(system)), m_device(relay.device), m_channel(relay.channel)
{
}

// Closing sends nothing: the relay keeps its state after the program ends.
HidRelayPort::~HidRelayPort()
{
    close();
}

QList<HidDeviceEntry> HidRelayPort::relayBoards(HidSystem& system)
{
    QList<HidDeviceEntry> boards;
    for (const HidDeviceEntry& entry : system.enumerate(VendorId, ProductId)) {
        if (entry.product.startsWith(ProductPrefix))
            boards << entry;
    }
    return boards;
}

QString HidRelayPort::boardSerial(HidHandle& handle)
{
    QByteArray report(ReportSize, '\0');
    if (handle.getFeatureReport(report) < 6)
        return {};
    // The board reports its serial in the five bytes after the report id, in printable ASCII.
    QString serial;
    for (const char c : report.mid(1, 5)) {
        if (c < 0x21 || c > 0x7E)
            break;
        serial += QLatin1Char(c);
    }
    return serial;
}

QList<RelayDevice> HidRelayPort::boards(HidSystem& system)
{
    QList<RelayDevice> found;
    for (const HidDeviceEntry& board : relayBoards(system)) {
        const QString path = QString::fromLocal8Bit(board.path);
        int error = 0;
        QString detail;
        const std::unique_ptr<HidHandle> handle = system.open(board.path, error, detail);
        const QString serial = handle ? boardSerial(*handle) : QString();
        if (!serial.isEmpty())
            found << RelayDevice{serial,
                                 QStringLiteral("%1, seri no %2 (%3)").arg(board.product, serial, path)};
        else if (handle)
            found << RelayDevice{path, QStringLiteral("%1 (%2)").arg(board.product, path)};
        else
            found << RelayDevice{path, QStringLiteral("%1 (%2, erişim izni yok)").arg(board.product, path)};
    }
    return found;
}

bool HidRelayPort::open()
{
    if (!isPath(m_device))
        return openBySerial();
    int error = 0;
    QString detail;
    if (!openPath(m_device.toLocal8Bit(), error, detail)) {
        fail(RelayPortStatus::failureOf(error), withHint(error, detail));
        return false;
    }
    if (const std::optional<HidDeviceEntry> board = boardAt(m_path))
        return channelFits(board->product);
    fail(RelayFailure::NotARelay,
         QStringLiteral("%1 is not a USB HID relay board (16c0:05df, \"USBRelayN\")").arg(m_device));
    close();
    return false;
}

std::optional<HidDeviceEntry> HidRelayPort::boardAt(const QByteArray& path) const
{
    // A link to the node (one that a udev rule made) leads to the same board.
    const QString named = QFileInfo(QString::fromLocal8Bit(path)).canonicalFilePath();
    for (const HidDeviceEntry& board : relayBoards(*m_system)) {
        if (board.path == path ||
            (!named.isEmpty() && QFileInfo(QString::fromLocal8Bit(board.path)).canonicalFilePath() == named))
            return board;
    }
    return std::nullopt;
}

ChannelRelayPort::Presence HidRelayPort::probe(bool on)
{
    QByteArray report(ReportSize, '\0');
    const int read = m_handle->getFeatureReport(report);
    if (read < 0)
        return Presence::Gone;
    if (read < ReportSize || m_channel < 1 || m_channel > 8)
        return Presence::Holds; // no state to compare
    // The last byte has a bit for each relay, channel 1 in the lowest.
    const bool relayOn = ((static_cast<quint8>(report[ReportSize - 1]) >> (m_channel - 1)) & 1) != 0;
    return relayOn == on ? Presence::Holds : Presence::Differs;
}

bool HidRelayPort::present()
{
    if (isPath(m_device))
        return boardAt(m_device.toLocal8Bit()).has_value();
    return !relayBoards(*m_system).isEmpty();
}

bool HidRelayPort::openPath(const QByteArray& path, int& error, QString& detail)
{
    m_handle = m_system->open(path, error, detail);
    if (!m_handle)
        return false;
    m_path = path;
    return true;
}

bool HidRelayPort::openBySerial()
{
    const QList<HidDeviceEntry> boards = relayBoards(*m_system);
    if (boards.isEmpty()) {
        fail(RelayFailure::Unreachable,
             QStringLiteral("no USB HID relay board (16c0:05df, \"USBRelayN\") found"));
        return false;
    }
    int openError = -1;
    QString openDetail;
    QStringList others;
    for (const HidDeviceEntry& board : boards) {
        int error = 0;
        QString detail;
        if (!openPath(board.path, error, detail)) {
            openError = error; // the board sought may be this one
            openDetail = detail;
            continue;
        }
        const QString serial = boardSerial(*m_handle);
        if (m_device.isEmpty() || serial.compare(m_device, Qt::CaseInsensitive) == 0 ||
            board.serialNumber.compare(m_device, Qt::CaseInsensitive) == 0)
            return channelFits(board.product);
        others << (serial.isEmpty() ? QString::fromLocal8Bit(board.path) : serial);
        close();
    }
    if (openError >= 0)
        fail(RelayPortStatus::failureOf(openError), withHint(openError, openDetail));
    else
        fail(RelayFailure::Unreachable, QStringLiteral("no board with serial %1 (found: %2)")
                                            .arg(m_device, others.join(QStringLiteral(", "))));
    return false;
}

bool HidRelayPort::channelFits(const QString& product)
{
    const int channels = channelCount(product);
    if (channels > 0 && m_channel > channels) {
        fail(RelayFailure::NoSuchChannel, QStringLiteral("%1 at %2 has %3 channels, not %4")
                                              .arg(product, QString::fromLocal8Bit(m_path))
                                              .arg(channels)
                                              .arg(m_channel));
        close();
        return false;
    }
    return true;
}

bool HidRelayPort::write(bool on)
{
    QByteArray report(ReportSize, '\0');
    report[1] = static_cast<char>(on ? 0xFF : 0xFD);
    report[2] = static_cast<char>(m_channel);
    if (m_handle->sendFeatureReport(report) < 0) {
        fail(RelayFailure::WriteFailed,
             QStringLiteral("sending to %1: %2").arg(QString::fromLocal8Bit(m_path), m_handle->error()));
        return false;
    }
    return true;
}
