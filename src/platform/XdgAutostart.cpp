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

// A string value of an entry with its escapes undone.
QString unescapedString(const QString& value)
{
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) != QLatin1Char('\\') || i + 1 == value.size()) {
            out += value.at(i);
            continue;
        }
        const QChar c = value.at(++i);
        static const QString letters = QStringLiteral("sntr");
        static const QString meant = QStringLiteral(" \n\t\r");
        out += letters.contains(c) ? meant.at(letters.indexOf(c)) : c;
    }
    return out;
}

// A string value of an entry: backslashes and line ends escaped.
QString escapedString(QString value)
{
    return value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('\n'), QStringLiteral("\\n"))
        .replace(QLatin1Char('\t'), QStringLiteral("\\t"))
        .replace(QLatin1Char('\r'), QStringLiteral("\\r"));
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
            return !started(autostartPath(dir)).command.isEmpty();
    }
    return false;
}

XdgAutostart::Started XdgAutostart::started(const QString& entryPath)
{
    QFile file(entryPath);
    if (entryPath.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    Started s;
    bool mainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            mainGroup = line == QLatin1String("[Desktop Entry]");
        // Only the keys of the main group count; an entry hidden or switched off the GNOME way
        // starts nothing.
        else if (mainGroup && (line == QLatin1String("Hidden=true") ||
                               line == QLatin1String("X-GNOME-Autostart-enabled=false")))
            return {};
        else if (mainGroup && line.startsWith(QLatin1String("Exec=")))
            s.exec = line.mid(5).trimmed();
        else if (mainGroup && line.startsWith(QLatin1String("TryExec=")))
            s.tryExec = unescapedString(line.mid(8).trimmed());
    }
    s.command = splitExec(s.exec);
    return s;
}

bool XdgAutostart::startsThisProgram(const Started& s) const
{
    // A TryExec that names another file decides, in the session, whether anything starts at all.
    return !s.command.isEmpty() && s.command == m_command &&
           (s.tryExec.isEmpty() || s.tryExec == m_command.first());
}

bool XdgAutostart::isEnabled() const
{
    return startsThisProgram(started(entryInForce()));
}

QString XdgAutostart::otherCommand() const
{
    const Started s = started(entryInForce());
    return s.command.isEmpty() || startsThisProgram(s) ? QString() : unescapedString(s.exec);
}

QStringList XdgAutostart::splitExec(const QString& exec)
{
    const QString line = unescapedString(exec);
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted && c == QLatin1Char('\\') && i + 1 < line.size()) {
            word += line.at(++i);
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && c.isSpace()) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    // "%%" stands for '%'; a field code (%f, %u, ...) gives nothing to a program started at login.
    for (QString& w : words) {
        QString plain;
        for (qsizetype i = 0; i < w.size(); ++i) {
            if (w.at(i) != QLatin1Char('%'))
                plain += w.at(i);
            else if (++i < w.size() && w.at(i) == QLatin1Char('%'))
                plain += QLatin1Char('%');
        }
        w = plain;
    }
    return words;
}

QString XdgAutostart::execLine(const QStringList& command)
{
    QStringList parts;
    for (const QString& a : command)
        parts << quoteArgument(a);
    // The Exec value is itself a string value, whose own escape doubles every backslash.
    return escapedString(parts.join(QLatin1Char(' ')));
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
    // A program that has been removed or moved is not started, and the session says nothing. The
    // value is a plain path, not quoted as Exec is: with quotes no program would ever be found.
    if (!m_command.isEmpty() && QDir::isAbsolutePath(m_command.first()))
        text += QStringLiteral("TryExec=") + escapedString(m_command.first()) + QLatin1Char('\n');
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
