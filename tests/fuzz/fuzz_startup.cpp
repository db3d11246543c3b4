// Every settings file and today's timetable from one input, then the real start-up and a rehearsed
// minute and a half around a bell: whatever the files hold, the program starts, rings or stays
// silent, and logs only events of the rehearsed time. The input's parts are separated by the byte
// 0x1E, in the order of `Files`; a missing part leaves its file away.
#include "fakes/WavWriter.h"
#include "fuzz/FuzzFolder.h"
#include "sim/Simulation.h"

#include <QTextStream>

namespace {
const QStringList Files{QStringLiteral("saatler/Pazartesi.txt"),
                        QStringLiteral("uygulama.txt"),
                        QStringLiteral("melodi.txt"),
                        QStringLiteral("kapat.txt"),
                        QStringLiteral("muzikler.txt"),
                        QStringLiteral("port.txt")};
const QDate Monday(2026, 12, 7);

// Short sounds for every melody, announcement and ceremony, so bells really play and end.
void writeSounds(const FuzzFolder& f)
{
    for (int n = 1; n <= 9; ++n)
        writeSilentWav(f.filePath(QStringLiteral("melodiler/%1.wav").arg(n)), 2.0);
    for (const char* name : {"melodiler/anons1", "melodiler/anons2", "marslar/istiklal", "marslar/saygi",
                             "marslar/saygi2", "marslar/saygidurusu", "marslar/siren"})
        writeSilentWav(f.filePath(QLatin1String(name) + QStringLiteral(".wav")), 3.0);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Simulation::holdTimeZone();
    writeSounds(FuzzFolder::instance());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzFolder& f = FuzzFolder::instance();
    const QList<QByteArray> parts = FuzzFolder::bytesOf(data, size).split('\x1e');
    for (qsizetype i = 0; i < Files.size(); ++i) {
        if (i < parts.size())
            f.write(Files[i], parts[i]);
        else
            QFile::remove(f.filePath(Files[i]));
    }

    QString output;
    QTextStream out(&output);
    {
        Simulation sim(f.folder().root(), QDateTime(Monday, QTime(8, 39, 58)), out);
        if (sim.start())
            sim.runUntil(QDateTime(Monday, QTime(8, 41, 30)));
    }
    out.flush();
    const QString day = Monday.toString(Qt::ISODate) + QStringLiteral("T08:");
    for (const QString& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        fuzzCheck(line.startsWith(day), "an event outside the rehearsed time", line);
    return 0;
}
