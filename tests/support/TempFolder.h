#pragma once

#include "schedule/ProgramFolder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

// A program folder in a fresh temporary directory, with raw byte access to its files.
struct TempFolder
{
    QTemporaryDir dir;
    ProgramFolder folder{dir.path()};

    // Writes the bytes as given, creating the folders on the way ("saatler/Pazartesi.txt").
    void write(const QString& relative, const QByteArray& bytes) const
    {
        const QString path = dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        // Replaced rather than truncated: ext4 flushes a truncated file to disk on close, which makes
        // rewriting the same file many times slow.
        QFile::remove(path);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
    // The bytes of the file spelled exactly so; empty when it does not exist.
    QByteArray read(const QString& relative) const
    {
        QFile f(dir.filePath(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool exists(const QString& relative) const { return QFileInfo::exists(dir.filePath(relative)); }
    // The names in a folder of the program folder, sorted; hidden files and leftovers included.
    QStringList entries(const QString& relative = QString()) const
    {
        return QDir(dir.filePath(relative))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }
    void makeDir(const QString& relative) const { QDir(dir.path()).mkpath(relative); }
};
