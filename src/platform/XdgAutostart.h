#pragma once

#include "platform/Autostart.h"

#include <QString>
#include <QStringList>

// The freedesktop autostart entry "vezozil.desktop". The user's own entry (in $XDG_CONFIG_HOME/autostart)
// wins over one installed for everybody (in $XDG_CONFIG_DIRS/autostart), which the package installs
// hidden: so the program starts by itself only for the users who turn it on, and turning it off
// again takes back only their own choice.
class XdgAutostart : public Autostart
{
public:
    static const QString EntryName; // "vezozil.desktop"

    // `command` is the program and its arguments that the session runs.
    XdgAutostart(const QString& userConfigDir, const QStringList& systemConfigDirs,
                 const QStringList& command);
    // The folders of this session's user, from the XDG variables.
    static XdgAutostart forThisUser(const QStringList& command);

    bool isEnabled() const override;
    QString otherCommand() const override;
    bool setEnabled(bool enabled) override;

    QString userEntryPath() const;
    // The command as an Exec value: arguments quoted where they need it, '%' doubled, and the
    // backslashes of both escape levels written out, so any path comes back unchanged.
    static QString execLine(const QStringList& command);
    // An Exec value split back into the program and its arguments, as the session does.
    static QStringList splitExec(const QString& exec);

private:
    // The command an entry starts when the session starts: empty when it starts nothing (hidden,
    // switched off, no Exec).
    struct Started
    {
        QStringList command;
        QString exec;    // the Exec value, as written
        QString tryExec; // the TryExec value, unescaped; empty when there is none
    };
    static Started started(const QString& entryPath);
    bool startsThisProgram(const Started& s) const;
    QString entryInForce() const;
    bool systemEntryEnables() const;
    QByteArray entryText(bool hidden) const;

    QString m_userDir;
    QStringList m_systemDirs;
    QStringList m_command;
};
