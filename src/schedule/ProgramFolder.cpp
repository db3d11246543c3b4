#include "schedule/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

ProgramFolder::ProgramFolder(const QString& root) : m_root(QDir::cleanPath(root)) {}

QString ProgramFolder::path(const QString& relative) const
{
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = rel.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = m_root;
    bool exists = true;
    for (const QString& part : parts) {
        QString next = current + QLatin1Char('/') + part;
        if (exists && !QFileInfo::exists(next)) {
            // Linux file systems tell letter case apart; the stored files do not.
            const QStringList entries = QDir(current).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
            auto it = std::find_if(entries.begin(), entries.end(), [&](const QString& e) {
                return e.compare(part, Qt::CaseInsensitive) == 0;
            });
            if (it != entries.end())
                next = current + QLatin1Char('/') + *it;
            else
                exists = false;
        }
        current = next;
    }
    return current;
}

QString ProgramFolder::relative(const QString& fullPath) const
{
    return QDir(m_root).relativeFilePath(fullPath);
}
