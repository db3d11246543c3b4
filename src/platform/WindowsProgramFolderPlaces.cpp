#include "platform/ProgramFolderChoice.h"

#include <QDir>

#include <qt_windows.h>
#include <shlobj.h>

namespace {
// The user's roaming application data ("%APPDATA%"), from the shell rather than the environment,
// which a start from a service or a scheduled task may lack.
QString roamingAppData()
{
    PWSTR path = nullptr;
    QString folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &path)))
        folder = QDir::fromNativeSeparators(QString::fromWCharArray(path));
    CoTaskMemFree(path);
    if (folder.isEmpty())
        folder = QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA"));
    return folder;
}
} // namespace

ProgramFolderPlaces systemProgramFolderPlaces(const QString& executableDir)
{
    ProgramFolderPlaces places;
    places.userDataDir = roamingAppData() + QStringLiteral("/Vezo Zil");
    // The installer keeps the defaults out of the program's own folder: a folder holding "saatler"
    // beside the executable would make every user share one unwritable program folder.
    places.defaultsDirs << QDir::cleanPath(executableDir + QStringLiteral("/varsayilan"));
    return places;
}
