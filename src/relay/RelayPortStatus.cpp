#include "relay/RelayPortStatus.h"

#include "common/Log.h"

QString RelayPortStatus::portName(quint16 address)
{
    const QString hex = QStringLiteral("0x") + QString::number(address, 16).toUpper();
    switch (address) {
    case 0x378:
        return QStringLiteral("LPT1, ") + hex;
    case 0x278:
        return QStringLiteral("LPT2, ") + hex;
    case 0x3BC:
        return QStringLiteral("LPT3, ") + hex;
    default:
        return hex;
    }
}

QString RelayPortStatus::problemText(RelayFailure kind, quint16 address)
{
    const QString port = QStringLiteral(" (") + portName(address) + QLatin1Char(')');
    switch (kind) {
    case RelayFailure::NoAddress:
        return QStringLiteral("Röle için LPT portu seçilmemiş");
    case RelayFailure::Unreachable:
        return QStringLiteral("Röle portuna ulaşılamıyor") + port;
    case RelayFailure::NotPermitted:
        return QStringLiteral("Röle portuna erişim izni yok") + port;
    case RelayFailure::Busy:
        return QStringLiteral("Röle portu başka bir programın kullanımında") + port;
    case RelayFailure::WriteFailed:
        return QStringLiteral("Röle portuna yazılamıyor") + port;
    case RelayFailure::Unsupported:
        break;
    }
    return QStringLiteral("Bu sistemde röle portu desteklenmiyor");
}

void RelayPortStatus::fail(RelayFailure kind, quint16 address, const QString& detail)
{
    m_problem = problemText(kind, address);
    const auto bit = static_cast<std::size_t>(kind);
    if (m_logged.test(bit))
        return;
    m_logged.set(bit);
    m_recoveryToLog = true;
    qCWarning(lcRelay).noquote() << "relay port" << portName(address) << "failed:" << detail
                                 << "(the amplifier is not switched; retrying at every write)";
}

void RelayPortStatus::succeed(quint16 address, const QString& route)
{
    m_problem.clear();
    if (m_recoveryToLog) {
        m_recoveryToLog = false;
        qCInfo(lcRelay).noquote() << "relay port" << portName(address) << "works again through" << route;
    } else if (route != m_loggedRoute) {
        qCInfo(lcRelay).noquote() << "relay port" << portName(address) << "driven through" << route;
    }
    m_loggedRoute = route;
}
