#pragma once

#include "editor/Form2.h"
#include "fakes/FakeDevices.h"
#include "schedule/DaySchedule.h"
#include "schedule/DayTable.h"
#include "schedule/ProgramFolder.h"
#include "support/Typing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// The bytes of a day file holding these values: each quoted, each line ended by CR LF.
inline QByteArray dayFileBytes(const QStringList& values)
{
    QByteArray bytes;
    for (const QString& v : values)
        bytes += '"' + v.toLatin1() + "\"\r\n";
    return bytes;
}

inline QByteArray clearedFileBytes()
{
    return dayFileBytes(QStringList(Slots::ClearedLines, QStringLiteral("XX:XX")));
}

// 53 times that differ from day to day: hour 8 + day position, minute = slot number.
inline QStringList sampleTimes(int dayPosition)
{
    QStringList times;
    for (int slot = 0; slot < Slots::Count; ++slot)
        times << QStringLiteral("%1:%2")
                     .arg(8 + dayPosition, 2, 10, QLatin1Char('0'))
                     .arg(slot, 2, 10, QLatin1Char('0'));
    return times;
}

inline QStringList toList(const DaySchedule& schedule)
{
    return QStringList(schedule.begin(), schedule.end());
}

inline void pressKey(QWidget* widget, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

// A program folder in a temporary directory whose seven day files hold sampleTimes().
struct EditorRig
{
    QTemporaryDir dir;
    ProgramFolder folder{dir.path()};
    FakeDialogs dialogs;

    EditorRig()
    {
        EXPECT_TRUE(dir.isValid());
        for (int d = 0; d < DayTable::Count; ++d)
            writeDay(DayTable::names()[d], dayFileBytes(sampleTimes(d)));
    }

    QString dayPath(const QString& day) const { return dir.path() + "/saatler/" + day + ".txt"; }
    void writeDay(const QString& day, const QByteArray& bytes) const
    {
        QDir().mkpath(dir.path() + "/saatler");
        QFile file(dayPath(day));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray readDay(const QString& day) const
    {
        QFile file(dayPath(day));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QHash<QString, QByteArray> allDays() const
    {
        QHash<QString, QByteArray> days;
        for (const QString& day : DayTable::names())
            days.insert(day, readDay(day));
        return days;
    }
    // Makes the day file unwritable: a directory stands where the file would be. Tests run as root,
    // so file permissions would not stop a write.
    void blockDay(const QString& day) const
    {
        QFile::remove(dayPath(day));
        ASSERT_TRUE(QDir().mkpath(dayPath(day)));
    }
    std::unique_ptr<Form2> openEditor() { return std::make_unique<Form2>(folder, dialogs); }
};
