#pragma once

#include "platform/Autostart.h"

#include <QString>
#include <QStringList>

#include <memory>

// Where the package puts the program and the launcher its autostart entry runs.
struct InstalledPlaces
{
    QString executable; // <prefix>/bin/vezozil
    QString launcher;   // <prefix>/libexec/vezozil/vezozil-autostart
};
InstalledPlaces installedPlaces();

// What the autostart runs. The installed program on its per-user folder starts through the launcher,
// which hands the bells to the supervised user unit where a systemd user manager runs. Any other copy
// (a portable folder, the build tree, a folder given with --dir) starts itself on the folder it uses
// now, so the program that starts with the computer is the one the operator turned it on in.
QStringList autostartCommand(const QString& executable, const QString& folder, bool folderGiven,
                             const InstalledPlaces& installed);

// The XDG autostart entry on Linux and other free desktops, the Run key on Windows.
std::unique_ptr<Autostart> createSystemAutostart(const QStringList& command);
