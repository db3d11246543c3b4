#pragma once

#include <QString>
#include <QStringList>

// Where the stored files live, in this order:
//  1. the folder given with "--dir PATH" (or "--dir=PATH"); when it exists but holds no "saatler/",
//     it is filled in from the installed defaults as in 3 (a folder that does not exist is not made);
//  2. the executable's folder when it holds "saatler/" (a portable install, and the build tree);
//  3. otherwise the user's data folder (".../vezozil"; "%APPDATA%\Vezo Zil" on Windows), filled in from the installed defaults at
//     every start with whatever it lacks, never overwriting a file the school has changed.
QString chooseProgramFolder(const QStringList& arguments, const QString& executableDir);

struct ProgramFolderPlaces
{
    QString userDataDir;      // the per-user folder of rule 3
    QStringList defaultsDirs; // installed defaults, the first one holding "saatler/" is used
};

// The places of rule 3 on this machine. Linux: GenericDataLocation + "/vezozil", and the defaults
// that the build installed (VEZOZIL_DEFAULTS_DIR) or, when the install was moved, <exe>/../share/vezozil.
// Windows: "%APPDATA%\Vezo Zil", and the defaults the installer put beside the program, <exe>\varsayilan.
ProgramFolderPlaces systemProgramFolderPlaces(const QString& executableDir);

QString chooseProgramFolder(const QStringList& arguments, const QString& executableDir,
                            const ProgramFolderPlaces& places);

// The value of "--dir", or a null string when it is not given or has no value.
QString programFolderArgument(const QStringList& arguments);

// Copies every file of `defaults` that `target` lacks (names compared without regard to letter
// case, as the program reads them). Returns the number of files copied.
int seedProgramFolder(const QString& target, const QString& defaults);
