#include "schedule/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {
QStringList components(const QString& relative)
{
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return rel.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

// The entry of `folder` that is `name` apart from letter case; `name` itself when none exists.
// Returns false when nothing matches, so the caller stops searching deeper.
bool resolve(const QString& folder, QString& name)
{
    if (QFileInfo::exists(folder + QLatin1Char('/') + name))
        return true;
    // Linux file systems tell letter case apart; the stored files do not.
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                                       QDir::Name);
    const auto it = std::find_if(entries.begin(), entries.end(), [&](const QString& e) {
        return e.compare(name, Qt::CaseInsensitive) == 0;
    });
    if (it == entries.end())
        return false;
    name = *it;
    return true;
}
} // namespace

ProgramFolder::ProgramFolder(const QString& root) : m_root(QDir::cleanPath(root)) {}

QString ProgramFolder::path(const QString& relative) const
{
    QString current = m_root;
    bool exists = true;
    for (QString part : components(relative)) {
        if (exists)
            exists = resolve(current, part);
        current += QLatin1Char('/') + part;
    }
    return current;
}

QString ProgramFolder::savePath(const QString& relative) const
{
    QStringList parts = components(relative);
    if (parts.isEmpty())
        return m_root;
    const QString name = parts.takeLast();
    return path(parts.join(QLatin1Char('/'))) + QLatin1Char('/') + name;
}

QStringList ProgramFolder::otherSpellings(const QString& fullPath)
{
    const QFileInfo target(fullPath);
    const QDir folder = target.absoluteDir();
    const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    QStringList others;
    for (const QString& e : entries) {
        if (e != target.fileName() && e.compare(target.fileName(), Qt::CaseInsensitive) == 0)
            others << folder.filePath(e);
    }
    return others;
}

QString ProgramFolder::relative(const QString& fullPath) const
{
    return QDir(m_root).relativeFilePath(fullPath);
}
