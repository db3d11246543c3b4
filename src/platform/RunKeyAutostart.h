#pragma once

#include "platform/Autostart.h"

#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

// Windows: the value "Vezo Zil" under the current user's Run key, which the session starts at logon.
// The key is reached through QSettings, so tests stand an INI file in for the registry.
class RunKeyAutostart : public Autostart
{
public:
    static const QString RunKey;    // HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run
    static const QString ValueName; // "Vezo Zil"

    RunKeyAutostart(std::unique_ptr<QSettings> runKey, const QStringList& command);
    ~RunKeyAutostart() override;

    bool isEnabled() const override;
    QString otherCommand() const override;
    bool setEnabled(bool enabled) override;

    // The command line the Run value holds: the program always quoted, each argument quoted where
    // it needs it, with backslashes before a quote doubled, as the C runtime splits them again.
    static QString commandLine(const QStringList& command);

private:
    std::unique_ptr<QSettings> m_key;
    QStringList m_command;
};
