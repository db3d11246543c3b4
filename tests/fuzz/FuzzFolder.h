#pragma once

#include "schedule/ProgramFolder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The program folder a fuzz target works in: a temporary directory that lives as long as the process.
// Each input is written to a stored file there, so the readers meet it exactly as they meet a file
// that an operator, an old copy of the program or a failing disk left behind.
class FuzzFolder
{
public:
    static FuzzFolder& instance()
    {
        static FuzzFolder f;
        return f;
    }

    const ProgramFolder& folder() const { return m_folder; }
    QString filePath(const QString& relative) const { return m_dir.filePath(relative); }

    // Replaces the file with the bytes, creating its folder on the way.
    void write(const QString& relative, const QByteArray& bytes) const
    {
        const QString path = filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile::remove(path);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            fail("cannot write the fuzz input", path);
    }
    void write(const QString& relative, const uint8_t* data, size_t size) const
    {
        write(relative, bytesOf(data, size));
    }

    // The input as bytes, without a copy.
    static QByteArray bytesOf(const uint8_t* data, size_t size)
    {
        return QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    }

    // The names now in a folder of the program folder.
    QStringList entries(const QString& relative) const
    {
        return QDir(filePath(relative)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    // Removes every file a run left, so each input starts from the same folder.
    void clear(const QString& relative) const
    {
        for (const QString& name : entries(relative))
            QFile::remove(QDir(filePath(relative)).filePath(name));
    }

    // Stops the run on a broken promise: libFuzzer keeps the input that did it as a crash file.
    [[noreturn]] static void fail(const char* what, const QString& detail = QString())
    {
        std::fprintf(stderr, "fuzz check failed: %s %s\n", what, qPrintable(detail));
        std::abort();
    }

private:
    FuzzFolder()
    {
        if (!m_dir.isValid())
            fail("no temporary folder");
        // The program's log lines for every input would only slow the run; a fault is reported anyway.
        QLoggingCategory::setFilterRules(QStringLiteral("vezozil.*=false"));
        m_folder = ProgramFolder(m_dir.path());
    }

    QTemporaryDir m_dir;
    ProgramFolder m_folder;
};

inline void fuzzCheck(bool ok, const char* what, const QString& detail = QString())
{
    if (!ok)
        FuzzFolder::fail(what, detail);
}

// A value the stored files can hold and give back unchanged: no line break (a writer turns one into a
// blank so it cannot shift the later lines) and no half of a surrogate pair (a reader that cuts a
// line by characters may split a pair; such a half is no text and is not kept).
inline bool storable(const QString& value)
{
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return false;
        if (c.isHighSurrogate() && (i + 1 == value.size() || !value.at(i + 1).isLowSurrogate()))
            return false;
        if (c.isLowSurrogate() && (i == 0 || !value.at(i - 1).isHighSurrogate()))
            return false;
    }
    return true;
}

// A time box saved and read again: a time is the five characters after the opening quote, so a
// shorter value comes back followed by the closing quote ("7:00" as 7:00").
inline QString timeAfterSave(const QString& value)
{
    return (value + QLatin1Char('"')).left(5);
}
