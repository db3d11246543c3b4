#include "sim/SimulateCommand.h"

#include "sim/Simulation.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>

namespace {
const QString TimeFormat = QStringLiteral("yyyy-MM-dd'T'HH:mm:ss");
const QString Usage =
    QStringLiteral("usage: vezozil --dir DIR --simulate FROM UNTIL (times as YYYY-MM-DDTHH:MM:SS)");

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

SimulateCommandLine parseSimulateArguments(const QStringList& arguments)
{
    SimulateArguments parsed;
    bool haveDir = false, haveTimes = false;
    qsizetype i = !arguments.isEmpty() && !isOption(arguments.first()) ? 1 : 0; // the program name
    for (; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == QLatin1String("--dir") || a.startsWith(QLatin1String("--dir="))) {
            if (haveDir)
                return failure(QStringLiteral("--dir given twice"));
            if (a.size() > 5)
                parsed.dir = a.mid(6);
            else if (i + 1 < arguments.size() && !isOption(arguments.at(i + 1)))
                parsed.dir = arguments.at(++i);
            if (parsed.dir.isEmpty())
                return failure(QStringLiteral("--dir needs a folder"));
            haveDir = true;
        } else if (a == QLatin1String("--simulate")) {
            if (haveTimes)
                return failure(QStringLiteral("--simulate given twice"));
            if (i + 2 >= arguments.size())
                return failure(QStringLiteral("--simulate needs FROM and UNTIL"));
            parsed.from = parseSimulateTime(arguments.at(++i));
            parsed.until = parseSimulateTime(arguments.at(++i));
            if (!parsed.from.isValid() || !parsed.until.isValid())
                return failure(
                    QStringLiteral("bad time '%1'").arg(arguments.at(parsed.from.isValid() ? i : i - 1)));
            haveTimes = true;
        } else {
            return failure(QStringLiteral("unknown argument '%1'").arg(a));
        }
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
    const SimulateArguments& a = *line.arguments;
    Simulation::holdTimeZone();
    Simulation simulation(a.dir, a.from, out);
    if (simulation.start())
        simulation.runUntil(a.until);
    out.flush();
    return 0;
}
