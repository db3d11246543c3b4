#include "platform/XdgAutostart.h"

#include "common/Log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

const QString XdgAutostart::EntryName = QStringLiteral("vezozil.desktop");

namespace {
QString autostartPath(const QString& configDir)
{
    return QDir::cleanPath(configDir + QStringLiteral("/autostart/") + XdgAutostart::EntryName);
}

// An entry starts the program unless it is hidden or switched off the GNOME way; only the keys of
// its main group count.
bool entryEnables(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    bool mainGroup = false;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith('['))
            mainGroup = line == "[Desktop Entry]";
        else if (mainGroup && (line == "Hidden=true" || line == "X-GNOME-Autostart-enabled=false"))
            return false;
    }
    return true;
}

QString quoteArgument(QString a)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    const bool needsQuotes =
        a.isEmpty() || std::any_of(a.begin(), a.end(), [](QChar ch) { return reserved.contains(ch); });
    a.replace(QLatin1Char('%'), QStringLiteral("%%"));
    if (!needsQuotes)
        return a;
    QString quoted;
    for (const QChar ch : a) {
        if (ch == QLatin1Char('"') || ch == QLatin1Char('`') || ch == QLatin1Char('$') ||
            ch == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += ch;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
} // namespace

XdgAutostart::XdgAutostart(const QString& userConfigDir, const QStringList& systemConfigDirs,
                           const QStringList& command)
    : m_userDir(userConfigDir), m_systemDirs(systemConfigDirs), m_command(command)
{
}

XdgAutostart XdgAutostart::forThisUser(const QStringList& command)
{
    QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    dirs.removeAll(user);
    return XdgAutostart(user, dirs, command);
}

QString XdgAutostart::userEntryPath() const
{
    return autostartPath(m_userDir);
}

QString XdgAutostart::entryInForce() const
{
    if (QFileInfo::exists(userEntryPath()))
        return userEntryPath();
    for (const QString& dir : m_systemDirs) {
        if (QFileInfo::exists(autostartPath(dir)))
            return autostartPath(dir);
    }
    return QString();
}

bool XdgAutostart::systemEntryEnables() const
{
    for (const QString& dir : m_systemDirs) {
        if (QFileInfo::exists(autostartPath(dir)))
            return entryEnables(autostartPath(dir));
    }
    return false;
}

bool XdgAutostart::isEnabled() const
{
    const QString entry = entryInForce();
    return !entry.isEmpty() && entryEnables(entry);
}

QString XdgAutostart::execLine(const QStringList& command)
{
    QStringList parts;
    for (const QString& a : command)
        parts << quoteArgument(a);
    // The Exec value is itself a string value, whose own escape doubles every backslash.
    return parts.join(QLatin1Char(' '))
        .replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('\n'), QStringLiteral("\\n"))
        .replace(QLatin1Char('\t'), QStringLiteral("\\t"))
        .replace(QLatin1Char('\r'), QStringLiteral("\\r"));
}

QByteArray XdgAutostart::entryText(bool hidden) const
{
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Name=Vezo Zil\n"
                                  "Comment=Rings the school's bells from the moment the computer starts\n"
                                  "Comment[tr]=Bilgisayar açılınca okulun zillerini çalmaya başlar\n"
                                  "Icon=vezozil\n"
                                  "Terminal=false\n"
                                  "NoDisplay=true\n");
    text += QStringLiteral("Exec=") + execLine(m_command) + QLatin1Char('\n');
    // A program that has been removed or moved is not started, and the session says nothing.
    if (!m_command.isEmpty() && QDir::isAbsolutePath(m_command.first()))
        text += QStringLiteral("TryExec=") + execLine(m_command.mid(0, 1)) + QLatin1Char('\n');
    text += hidden ? QStringLiteral("Hidden=true\n") : QStringLiteral("X-GNOME-Autostart-enabled=true\n");
    return text.toUtf8();
}

bool XdgAutostart::setEnabled(bool enabled)
{
    const QString path = userEntryPath();
    // Off, where nothing installed turns it on, is the user's entry gone: nothing of ours is left.
    if (!enabled && !systemEntryEnables()) {
        if (QFileInfo::exists(path) && !QFile::remove(path)) {
            qCWarning(lcApp) << "the autostart entry" << path << "cannot be removed";
            return false;
        }
        qCInfo(lcApp) << "autostart off";
        return true;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    // A session that starts while the entry is written finds the old one or the new one, never half.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(entryText(!enabled)) < 0 || !file.commit()) {
        qCWarning(lcApp) << "the autostart entry" << path << "cannot be written:" << file.errorString();
        return false;
    }
    qCInfo(lcApp) << (enabled ? "autostart on:" : "autostart off:") << path;
    return true;
}
