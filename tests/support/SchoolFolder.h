#pragma once

#include "schedule/CodePage1254.h"
#include "fakes/WavWriter.h"
#include "schedule/DaySchedule.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QMap>
#include <QStringEncoder>
#include <QStringList>
#include <QTemporaryDir>

// The 27 lines of "melodi.txt", named after what they switch. Melodies are numbered as the operator
// sees them, "Melodi 1" to "Melodi 9"; 0 is a list with nothing chosen.
struct MelodiSettings
{
    int student = 1;
    int teacher = 2;
    int exit = 3;
    int assembly = 4;
    bool announceStudent = false; // Check1
    bool announceTeacher = false; // Check2
    bool weekendSilent = false;   // Check3
    bool weekendClose = false;    // Check4
    bool breakMusic = false;      // Check5
    int volume = 100;
    QList<int> musicLessons = {}; // lessons whose exit bell starts a break activity

    QStringList lines() const
    {
        auto number = [](int n) { return QString::number(n); };
        auto box = [](bool ticked) { return ticked ? QStringLiteral("1") : QStringLiteral("0"); };
        QStringList l{number(student - 1),  number(teacher - 1),  number(exit - 1),
                      box(announceStudent), box(announceTeacher), box(weekendSilent),
                      box(weekendClose),    box(breakMusic),      number(volume)};
        for (int lesson = 1; lesson <= 14; ++lesson)
            l << box(musicLessons.contains(lesson));
        l << number(assembly - 1);
        for (int lesson = 15; lesson <= 17; ++lesson)
            l << box(musicLessons.contains(lesson));
        return l;
    }
};

// A program folder in a fresh temporary directory, written as a school's would be: settings and
// timetable files in Windows-1254 with CR LF line ends, and silent sounds of known length.
struct SchoolFolder
{
    SchoolFolder() { QDir(dir.path()).mkpath(QStringLiteral("saatler")); }

    QString path() const { return dir.path(); }
    QString filePath(const QString& relative) const { return dir.filePath(relative); }

    // One line per value, each ended by CR LF, in the system's code page.
    void writeLines(const QString& relative, const QStringList& lines) const
    {
        QByteArray bytes;
        for (const QString& line : lines)
            bytes += CodePage1254::encode(line).value_or(QByteArray()) + "\r\n";
        writeBytes(relative, bytes);
    }
    void writeBytes(const QString& relative, const QByteArray& bytes) const
    {
        const QString full = filePath(relative);
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile f(full);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
    }

    // A whole timetable: the slots given, "XX:XX" in the others.
    void day(const QString& name, const QHash<int, QString>& slots) const
    {
        QStringList lines;
        for (int i = 0; i < Slots::Count; ++i)
            lines << quoted(slots.value(i, QStringLiteral("XX:XX")));
        writeLines(QStringLiteral("saatler/") + name + QStringLiteral(".txt"), lines);
    }
    void melodi(const MelodiSettings& settings) const
    {
        writeLines(QStringLiteral("melodi.txt"), settings.lines());
    }
    void muzikler(const QStringList& entries) const
    {
        QStringList lines;
        for (const QString& e : entries)
            lines << quoted(e);
        writeLines(QStringLiteral("muzikler.txt"), lines);
    }
    void uygulama(const QString& programPath, const QString& imageName, int check33) const
    {
        writeLines(QStringLiteral("uygulama.txt"),
                   {quoted(programPath), quoted(imageName), QString::number(check33)});
    }
    void kapat(const QString& weekday, const QString& weekend) const
    {
        writeLines(QStringLiteral("kapat.txt"), {quoted(weekday), quoted(weekend)});
    }
    void port(int number) const { writeLines(QStringLiteral("port.txt"), {QString::number(number)}); }

    // Writes a silent WAV of that length and returns its full path.
    QString sound(const QString& relative, double seconds) const
    {
        const QString full = filePath(relative);
        writeSilentWav(full, seconds);
        return full;
    }

    // Every file of the folder with its bytes, to show that something left the folder as it was.
    QMap<QString, QByteArray> snapshot() const
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString full = it.next();
            QFile f(full);
            files.insert(QDir(path()).relativeFilePath(full),
                         f.open(QIODevice::ReadOnly) ? f.readAll() : "?");
        }
        return files;
    }

    // The files that differ from a snapshot: changed, added or gone.
    QStringList changedSince(const QMap<QString, QByteArray>& before) const
    {
        const QMap<QString, QByteArray> now = snapshot();
        QStringList changed;
        for (auto it = now.cbegin(); it != now.cend(); ++it) {
            if (!before.contains(it.key()) || before.value(it.key()) != it.value())
                changed << it.key();
        }
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (!now.contains(it.key()))
                changed << it.key();
        }
        return changed;
    }

    static QString quoted(const QString& value) { return QLatin1Char('"') + value + QLatin1Char('"'); }

    QTemporaryDir dir;
};
