#pragma once

#include <QString>
#include <QStringList>

// The one folder that holds every stored file. Relative names are given as the system writes them
// ("\saatler\Pazartesi.txt" or "saatler/Pazartesi.txt"); existing entries are matched without regard
// to letter case, so "melodi.txt" and "Melodi.txt" are one file, as on the system's home platform.
// Every reader and writer of the stored files finds its path here.
class ProgramFolder
{
public:
    ProgramFolder() = default;
    explicit ProgramFolder(const QString& root);

    const QString& root() const { return m_root; }

    // Full path for a relative name. Each existing component is matched case-insensitively (an exact
    // match first, then the first match in name order); components that do not exist yet keep the
    // spelling given, so a writer creates them so.
    QString path(const QString& relative) const;

    // Where a writer saves a relative name: its folders are found as path() finds them, the file
    // itself keeps the spelling given ("Melodi.txt" is saved as "Melodi.txt").
    QString savePath(const QString& relative) const;

    // The regular files beside `fullPath` whose names equal its name apart from letter case, without
    // `fullPath` itself: the other spellings a save must take over so that one file remains.
    static QStringList otherSpellings(const QString& fullPath);

    // The path relative to the root with '/' separators, as shown in logs and rehearsals.
    QString relative(const QString& fullPath) const;

private:
    QString m_root;
};
