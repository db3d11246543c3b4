#include "platform/RunKeyAutostart.h"

#include "common/Log.h"

#include <QSettings>

const QString RunKeyAutostart::RunKey =
    QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
const QString RunKeyAutostart::ValueName = QStringLiteral("Vezo Zil");

namespace {
QString quoteArgument(const QString& a)
{
    if (!a.isEmpty() && !a.contains(QLatin1Char(' ')) && !a.contains(QLatin1Char('\t')) &&
        !a.contains(QLatin1Char('"')))
        return a;
    QString quoted = QStringLiteral("\"");
    int backslashes = 0;
    for (const QChar ch : a) {
        if (ch == QLatin1Char('\\')) {
            ++backslashes;
            continue;
        }
        // Backslashes count only before a quote: there each one is doubled, and the quote escaped.
        const int times = ch == QLatin1Char('"') ? 2 * backslashes + 1 : backslashes;
        quoted += QString(times, QLatin1Char('\\')) + ch;
        backslashes = 0;
    }
    quoted += QString(2 * backslashes, QLatin1Char('\\')) + QLatin1Char('"');
    return quoted;
}
} // namespace

RunKeyAutostart::RunKeyAutostart(std::unique_ptr<QSettings> runKey, const QStringList& command)
    : m_key(std::move(runKey)), m_command(command)
{
}

RunKeyAutostart::~RunKeyAutostart() = default;

QString RunKeyAutostart::commandLine(const QStringList& command)
{
    if (command.isEmpty())
        return QString();
    // The program's path is read up to its closing quote, and a Windows path holds no quote.
    QStringList parts{QLatin1Char('"') + command.first() + QLatin1Char('"')};
    for (const QString& a : command.mid(1))
        parts << quoteArgument(a);
    return parts.join(QLatin1Char(' '));
}

bool RunKeyAutostart::isEnabled() const
{
    // Windows paths are the same in any letter case.
    return m_key->contains(ValueName) &&
           m_key->value(ValueName).toString().compare(commandLine(m_command), Qt::CaseInsensitive) == 0;
}

QString RunKeyAutostart::otherCommand() const
{
    return m_key->contains(ValueName) && !isEnabled() ? m_key->value(ValueName).toString() : QString();
}

bool RunKeyAutostart::setEnabled(bool enabled)
{
    const QVariant before = m_key->value(ValueName);
    if (enabled)
        m_key->setValue(ValueName, commandLine(m_command));
    else
        m_key->remove(ValueName);
    m_key->sync();
    if (m_key->status() != QSettings::NoError) {
        qCWarning(lcApp) << "the Run key cannot be written:" << RunKey;
        // What the key is asked next must be what it holds.
        if (before.isValid())
            m_key->setValue(ValueName, before);
        else
            m_key->remove(ValueName);
        return false;
    }
    qCInfo(lcApp) << (enabled ? "autostart on" : "autostart off");
    return true;
}
