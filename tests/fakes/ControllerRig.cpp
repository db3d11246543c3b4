#include "fakes/ControllerRig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

ControllerRig::ControllerRig(const QDateTime& start) : clock(start)
{
    QDir(dir.path()).mkpath(QStringLiteral("saatler"));
    controller = std::make_unique<Controller>(
        model, Devices{clock, port, wav, music, desktop, dialogs, shell, instance, clockSync}, ProgramFolder(dir.path()));
}

void ControllerRig::writeFile(const QString& relative, const QByteArray& bytes) const
{
    const QString path = dir.filePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray ControllerRig::readFile(const QString& relative) const
{
    QFile f(dir.filePath(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ControllerRig::writeDay(const QString& dayName, const QHash<int, QString>& slots) const
{
    QByteArray bytes;
    for (int i = 0; i < Slots::Count; ++i)
        bytes += '"' + slots.value(i, QStringLiteral("XX:XX")).toUtf8() + "\"\r\n";
    writeFile(QStringLiteral("saatler/") + dayName + QStringLiteral(".txt"), bytes);
}

void ControllerRig::setSoundLength(const QString& relative, double seconds)
{
    wav.lengths.insert(controller->folder.path(relative), seconds);
}

void ControllerRig::runUntil(const QTime& until)
{
    const QDateTime end(clock.now().date(), until);
    while (clock.now() < end)
        tick();
}
