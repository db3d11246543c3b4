#include "platform/ProgramFolderChoice.h"

#include <QDir>
#include <QStandardPaths>

ProgramFolderPlaces systemProgramFolderPlaces(const QString& executableDir)
{
    ProgramFolderPlaces places;
    places.userDataDir =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/vezozil");
    places.defaultsDirs << QStringLiteral(VEZOZIL_DEFAULTS_DIR)
                        << QDir::cleanPath(executableDir + QStringLiteral("/../share/vezozil"));
    return places;
}
