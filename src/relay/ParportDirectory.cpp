#include "relay/ParportDirectory.h"

#include <QRegularExpression>

#include <array>

namespace {
const QString ProcRoot = QStringLiteral("/proc/sys/dev/parport/");
constexpr std::array<quint16, 3> StandardAddresses{0x378, 0x278, 0x3BC};

QByteArray devicePath(int index)
{
    return QByteArrayLiteral("/dev/parport") + QByteArray::number(index);
}

// "parport3" -> 3; anything else ("default") is not a port.
int portIndex(const QString& entry)
{
    static const QRegularExpression name(QStringLiteral("^parport(\\d{1,3})$"));
    const QRegularExpressionMatch match = name.match(entry);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

int standardIndex(quint64 address)
{
    for (std::size_t i = 0; i < StandardAddresses.size(); ++i) {
        if (StandardAddresses[i] == address)
            return static_cast<int>(i);
    }
    return -1;
}
} // namespace

std::optional<quint64> ParportDirectory::baseAddress(const QString& entry) const
{
    // The line holds the base and the extended base, "888\t1912"; the first is the data register.
    const std::optional<QByteArray> line = m_system.readFile(ProcRoot + entry + QStringLiteral("/base-addr"));
    if (!line)
        return std::nullopt;
    const QList<QByteArray> numbers = line->simplified().split(' ');
    bool ok = false;
    const quint64 base = numbers.value(0).toULongLong(&ok, 10);
    return ok ? std::optional<quint64>(base) : std::nullopt;
}

QByteArray ParportDirectory::deviceFor(quint16 address) const
{
    const int fallback = standardIndex(address);
    bool fallbackIsAnotherPort = false;
    for (const QString& entry : m_system.subdirectories(ProcRoot)) {
        const int index = portIndex(entry);
        if (index < 0)
            continue;
        const std::optional<quint64> base = baseAddress(entry);
        if (!base)
            continue;
        if (*base == address)
            return devicePath(index);
        // parport0 listed at 0x278 is that machine's LPT2: it must not be driven for LPT1.
        if (index == fallback && standardIndex(*base) >= 0)
            fallbackIsAnotherPort = true;
    }
    if (fallback < 0 || fallbackIsAnotherPort)
        return {};
    return devicePath(fallback);
}
