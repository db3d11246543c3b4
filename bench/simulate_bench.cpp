// Rehearses a school week (Monday 00:00:00 to Saturday 00:00:00, 432,000 seconds, the quiet ones
// passed without a tick) on a generated program folder with bells, announcements, music in every
// break and the relay, and prints how long it took. With --print it also prints the events.
#include "fakes/WavWriter.h"
#include "schedule/DaySchedule.h"
#include "schedule/DayTable.h"
#include "sim/Simulation.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {
void writeWeek(const QTemporaryDir& dir)
{
    QDir(dir.path()).mkpath(QStringLiteral("saatler"));
    QByteArray bytes;
    for (int lesson = 1; lesson <= Slots::Lessons; ++lesson) {
        const QTime start = QTime(8, 0).addSecs(50 * 60 * (lesson - 1));
        for (const int offset : {0, 2, 40})
            bytes += '"' + start.addSecs(60 * offset).toString(QStringLiteral("HH:mm")).toUtf8() + "\"\r\n";
    }
    bytes += "\"07:50\"\r\n\"XX:XX\"\r\n";
    for (const QString& day : DayTable::names()) {
        QFile f(dir.filePath(QStringLiteral("saatler/") + day + QStringLiteral(".txt")));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
    for (const char* name : {"1", "2", "3", "4", "anons1", "anons2"})
        writeSilentWav(dir.filePath(QStringLiteral("melodiler/%1.wav").arg(QLatin1String(name))), 12.0);
    for (int i = 1; i <= 5; ++i)
        writeSilentWav(dir.filePath(QStringLiteral("muzik/%1.wav").arg(i)), 30.0 + 17 * i);
}

void asTheSettingsWould(const QTemporaryDir& dir, Controller& c)
{
    for (int b = 0; b < MelodyBoxCount; ++b)
        c.m.melody[b].position = b;
    c.m.check1 = c.m.check2 = c.m.check5 = c.m.check33 = true;
    c.m.lessonMusic.fill(true);
    for (int i = 1; i <= 5; ++i)
        c.m.musicList << dir.filePath(QStringLiteral("muzik/%1.wav").arg(i));
    c.s.lptPortNumber = 1;
}
} // namespace

int main(int argc, char** argv)
{
    const bool print = argc > 1 && QByteArray(argv[1]) == "--print"; // the events, for a look
    Simulation::holdTimeZone();                                      // as the command does
    QTemporaryDir dir;
    writeWeek(dir);
    const QDate monday(2026, 12, 7);
    QString output;
    QTextStream out(&output);

    QElapsedTimer timer;
    timer.start();
    Simulation sim(dir.path(), QDateTime(monday, QTime(0, 0, 0)), out);
    asTheSettingsWould(dir, sim.controller());
    sim.start();
    sim.runUntil(QDateTime(monday.addDays(5), QTime(0, 0, 0)));
    out.flush();
    const double seconds = timer.nsecsElapsed() / 1e9;

    if (print)
        std::fputs(qPrintable(output), stdout);
    const qsizetype lines = output.count(QLatin1Char('\n'));
    std::printf("simulate_bench: school week, %lld seconds of which %lld ticked, %lld events, %.2f s, "
                "%.2f us per tick run, %.0f simulated seconds/s\n",
                static_cast<long long>(sim.ticks()), static_cast<long long>(sim.ticksRun()),
                static_cast<long long>(lines), seconds, seconds * 1e6 / double(sim.ticksRun()),
                double(sim.ticks()) / seconds);
    return sim.ticks() == 5 * 86400 ? 0 : 1;
}
