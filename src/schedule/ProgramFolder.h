#pragma once

#include <QString>

// The one folder that holds every stored file. Relative names are given as the system writes them
// ("\saatler\Pazartesi.txt" or "saatler/Pazartesi.txt"); existing entries are matched without regard
// to letter case, so "melodi.txt" and "Melodi.txt" are one file, as on the system's home platform.
class ProgramFolder
{
public:
    ProgramFolder() = default;
    explicit ProgramFolder(const QString& root);

    const QString& root() const { return m_root; }

    // Full path for a relative name. Each existing component is matched case-insensitively;
    // components that do not exist yet keep the spelling given, so a writer creates them so.
    QString path(const QString& relative) const;

    // The path relative to the root with '/' separators, as shown in logs and rehearsals.
    QString relative(const QString& fullPath) const;

private:
    QString m_root;
};
