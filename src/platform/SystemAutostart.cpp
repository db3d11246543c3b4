#include "platform/SystemAutostart.h"

#include "platform/RunKeyAutostart.h"
#ifndef Q_OS_WIN
#include "platform/XdgAutostart.h"
#endif

#include <QDir>
#include <QFileInfo>
#include <QSettings>

InstalledPlaces installedPlaces()
{
    return {QStringLiteral(VEZOZIL_INSTALL_PREFIX "/bin/vezozil"),
            QStringLiteral(VEZOZIL_INSTALL_PREFIX "/libexec/vezozil/vezozil-autostart")};
}

QStringList autostartCommand(const QString& executable, const QString& folder, bool folderGiven,
                             const InstalledPlaces& installed)
{
    const QFileInfo exe(executable);
    const QFileInfo launcher(installed.launcher);
    const bool isInstalled = exe.canonicalFilePath() == QFileInfo(installed.executable).canonicalFilePath() &&
                             !exe.canonicalFilePath().isEmpty();
    if (isInstalled && !folderGiven && launcher.isFile() && launcher.isExecutable())
        return {installed.launcher};
    return {QDir::toNativeSeparators(exe.absoluteFilePath()), QStringLiteral("--dir"),
            QDir::toNativeSeparators(folder)};
}

std::unique_ptr<Autostart> createSystemAutostart(const QStringList& command)
{
#ifdef Q_OS_WIN
    return std::make_unique<RunKeyAutostart>(
        std::make_unique<QSettings>(RunKeyAutostart::RunKey, QSettings::NativeFormat), command);
#else
    return std::make_unique<XdgAutostart>(XdgAutostart::forThisUser(command));
#endif
}
