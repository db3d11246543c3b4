#pragma once

#include <QString>
#include <QStringList>

#include <ostream>

// Lets GoogleTest print Qt strings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// File names as the platform's file system tells them apart. Windows does not tell letter case apart,
// and Wine keeps a file's old spelling through a rename that changes only its case.
inline QStringList asTheFileSystemSees(QStringList names)
{
#ifdef Q_OS_WIN
    for (QString& n : names)
        n = n.toLower();
#endif
    return names;
}
