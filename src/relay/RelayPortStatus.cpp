#include "relay/RelayPortStatus.h"

#include "common/Log.h"

#include <cerrno>
#include <cstring>

namespace {
constexpr qint64 FirstSummaryAfter = 60;   // seconds
constexpr qint64 LongestSummaryGap = 3600; // seconds

QString clockTime(const QDateTime& t)
{
    return t.toString(QStringLiteral("HH:mm:ss"));
}

QString lptLogName(quint16 address)
{
    return QStringLiteral("port ") + RelayPortStatus::portName(address);
}
} // namespace

RelayPortStatus::RelayPortStatus(RelayNoun noun, QString place, QString logName, Now now)
    : m_noun(noun), m_place(std::move(place)), m_logName(std::move(logName)),
      m_now(now ? std::move(now) : Now(&QDateTime::currentDateTime))
{
}

// A backend that ends while failing (the program exits, the operator chose another relay) leaves its
// last repeats in the journal too.
RelayPortStatus::~RelayPortStatus()
{
    summarise();
}

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
    case RelayFailure::NoSuchChannel:
    case RelayFailure::NotARelay:
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

QString RelayPortStatus::problemText(RelayFailure kind, RelayNoun noun, const QString& place)
{
    const QString where = QStringLiteral(" (") + place + QLatin1Char(')');
    const bool gpio = noun == RelayNoun::GpioLine;
    // The noun with the possessive ending and with the dative after it: "kartı", "kartına".
    const QString subject = gpio ? QStringLiteral("GPIO hattı") : QStringLiteral("Röle kartı");
    const QString toIt = gpio ? QStringLiteral("GPIO hattına") : QStringLiteral("Röle kartına");
    switch (kind) {
    case RelayFailure::NoAddress:
    case RelayFailure::Unreachable:
        return toIt + QStringLiteral(" ulaşılamıyor") + where;
    case RelayFailure::NotPermitted:
        return toIt + QStringLiteral(" erişim izni yok") + where;
    case RelayFailure::Busy:
        return subject + QStringLiteral(" başka bir programın kullanımında") + where;
    case RelayFailure::WriteFailed:
        return toIt + QStringLiteral(" yazılamıyor") + where;
    case RelayFailure::NoSuchChannel:
        return (gpio ? QStringLiteral("GPIO yongasında bu hat yok")
                     : QStringLiteral("Röle kartında bu kanal yok")) +
               where;
    case RelayFailure::NotARelay:
        return QStringLiteral("Seçilen aygıt bir röle kartı değil") + where;
    case RelayFailure::Unsupported:
        break;
    }
    return QStringLiteral("Bu sistemde bu röle türü desteklenmiyor") + where;
}

void RelayPortStatus::fail(RelayFailure kind, quint16 address, const QString& detail)
{
    failed(kind, problemText(kind, address), lptLogName(address), detail);
}

void RelayPortStatus::succeed(quint16 address, const QString& route)
{
    succeeded(lptLogName(address), route);
}

void RelayPortStatus::fail(RelayFailure kind, const QString& detail)
{
    failed(kind, problemText(kind, m_noun, m_place), m_logName, detail);
}

void RelayPortStatus::succeed(const QString& route)
{
    succeeded(m_logName, route);
}

void RelayPortStatus::failed(RelayFailure kind, const QString& problem, const QString& logName,
                             const QString& detail)
{
    m_problem = problem;
    const QDateTime now = m_now();
    const auto bit = static_cast<std::size_t>(kind);
    if (m_failingName != logName || !m_logged.test(bit)) {
        if (m_failingName != logName) {
            summarise();
            m_logged.reset();
            m_summaryInterval = FirstSummaryAfter;
        }
        m_failingName = logName;
        m_logged.set(bit);
        m_lastLine = now;
        qCWarning(lcRelay).noquote() << "relay" << logName << "failed at" << clockTime(now) + QLatin1Char(':')
                                     << detail << "(the amplifier is not switched; retrying at every write)";
        return;
    }
    if (m_repeats++ == 0)
        m_firstRepeat = now;
    m_lastRepeat = now;
    m_repeatDetail = detail;
    if (m_lastLine.secsTo(now) >= m_summaryInterval) {
        summarise();
        m_lastLine = now;
        m_summaryInterval = std::min(m_summaryInterval * 2, LongestSummaryGap);
    }
}

void RelayPortStatus::succeeded(const QString& logName, const QString& route)
{
    m_problem.clear();
    if (!m_failingName.isEmpty()) {
        const QString repeats = repeatsText();
        qCInfo(lcRelay).noquote() << "relay" << m_failingName << "works again through"
                                  << route + (repeats.isEmpty() ? QString() : QLatin1Char(' ') + repeats);
        m_repeats = 0;
        m_failingName.clear();
        m_logged.reset();
        m_summaryInterval = FirstSummaryAfter;
    } else if (route != m_loggedRoute) {
        qCInfo(lcRelay).noquote() << "relay" << logName << "driven through" << route;
    }
    m_loggedRoute = route;
}

QString RelayPortStatus::repeatsText() const
{
    if (m_repeats == 0)
        return {};
    return QStringLiteral("after %1 more failed write%2 from %3 to %4")
        .arg(m_repeats)
        .arg(m_repeats == 1 ? QString() : QStringLiteral("s"))
        .arg(clockTime(m_firstRepeat), clockTime(m_lastRepeat));
}

void RelayPortStatus::summarise()
{
    if (m_repeats == 0)
        return;
    qCWarning(lcRelay).noquote() << "relay" << m_failingName << "still failing:" << m_repeats
                                 << (m_repeats == 1 ? "more write failed" : "more writes failed") << "from"
                                 << clockTime(m_firstRepeat) << "to"
                                 << clockTime(m_lastRepeat) + QLatin1Char(',') << "last:" << m_repeatDetail;
    m_repeats = 0;
}

RelayFailure RelayPortStatus::failureOf(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return RelayFailure::NotPermitted;
    case EBUSY:
        return RelayFailure::Busy;
    default:
        return RelayFailure::Unreachable;
    }
}

QString RelayPortStatus::errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}
