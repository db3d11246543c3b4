#include "sim/SimulateCommand.h"

#include "common/Log.h"
#include "sim/Simulation.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>

namespace {
const QString TimeFormat = QStringLiteral("yyyy-MM-dd'T'HH:mm:ss");
const QString Usage = QStringLiteral(
    "usage: vezozil --dir DIR --simulate FROM UNTIL [--summary] [--tick-by-tick] (times as YYYY-MM-DDTHH:MM:SS)");

SimulateCommandLine failure(const QString& why)
{
    return {std::nullopt, why};
}

bool isOption(const QString& a)
{
    return a.startsWith(QLatin1String("--"));
}
} // namespace

QDateTime parseSimulateTime(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d$"));
    if (!shape.match(text).hasMatch())
        return {};
    const QDateTime t = QDateTime::fromString(text, TimeFormat);
    // A time the clock skips (the hour lost to summer time) comes back moved: refuse it.
    if (!t.isValid() || t.toString(TimeFormat) != text)
        return {};
    return t;
}

namespace {
// Each reader takes its option's values from `i` on and returns what is wrong, or nothing.
QString readDir(const QStringList& arguments, qsizetype& i, QString& dir)
{
    const QString& a = arguments.at(i);
    if (a.size() > 5) // "--dir=PATH"
        dir = a.mid(6);
    else if (i + 1 < arguments.size() && !isOption(arguments.at(i + 1)))
        dir = arguments.at(++i);
    return dir.isEmpty() ? QStringLiteral("--dir needs a folder") : QString();
}

QString readTimes(const QStringList& arguments, qsizetype& i, SimulateArguments& parsed)
{
    if (i + 2 >= arguments.size())
        return QStringLiteral("--simulate needs FROM and UNTIL");
    for (QDateTime* t : {&parsed.from, &parsed.until}) {
        *t = parseSimulateTime(arguments.at(++i));
        if (!t->isValid())
            return QStringLiteral("bad time '%1'").arg(arguments.at(i));
    }
    return QString();
}
} // namespace

SimulateCommandLine parseSimulateArguments(const QStringList& arguments)
{
    SimulateArguments parsed;
    bool haveDir = false, haveTimes = false;
    qsizetype i = !arguments.isEmpty() && !isOption(arguments.first()) ? 1 : 0; // the program name
    for (; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        QString error;
        if (a == QLatin1String("--dir") || a.startsWith(QLatin1String("--dir="))) {
            error = haveDir ? QStringLiteral("--dir given twice") : readDir(arguments, i, parsed.dir);
            haveDir = true;
        } else if (a == QLatin1String("--simulate")) {
            error = haveTimes ? QStringLiteral("--simulate given twice") : readTimes(arguments, i, parsed);
            haveTimes = true;
        } else if (a == QLatin1String("--summary") || a == QLatin1String("--tick-by-tick")) {
            bool& flag = a == QLatin1String("--summary") ? parsed.summary : parsed.tickByTick;
            if (flag)
                error = QStringLiteral("%1 given twice").arg(a);
            flag = true;
        } else {
            error = QStringLiteral("unknown argument '%1'").arg(a);
        }
        if (!error.isEmpty())
            return failure(error);
    }
    if (!haveDir)
        return failure(QStringLiteral("--dir is missing"));
    if (!haveTimes)
        return failure(QStringLiteral("--simulate is missing"));
    if (!QFileInfo(parsed.dir).isDir())
        return failure(QStringLiteral("no folder '%1'").arg(parsed.dir));
    if (parsed.until < parsed.from)
        return failure(QStringLiteral("UNTIL lies before FROM"));
    parsed.dir = QDir(parsed.dir).absolutePath();
    return {parsed, QString()};
}

int runSimulateCommand(const QStringList& arguments, QTextStream& out)
{
    const SimulateCommandLine line = parseSimulateArguments(arguments);
    if (!line.arguments) {
        std::fprintf(stderr, "vezozil: %s; %s\n", qPrintable(line.error), qPrintable(Usage));
        return 2;
    }
    return runSimulation(*line.arguments, out);
}

int runSimulation(const SimulateArguments& a, QTextStream& out)
{
    Simulation::holdTimeZone();
    Simulation simulation(a.dir, a.from, out, {a.summary, a.tickByTick});
    if (simulation.start())
        simulation.runUntil(a.until);
    simulation.finish();
    out.flush();
    qCInfo(lcApp) << "rehearsed" << simulation.ticks() << "seconds," << simulation.ticksRun() << "of them ticked";
    return 0;
}
