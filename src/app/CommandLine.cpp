#include "app/CommandLine.h"

#include "platform/ProcessStart.h"

#include <QFileInfo>

namespace {
bool isOurs(const QString& a)
{
    return a.startsWith(QLatin1String("--"));
}

bool isQtOption(const QString& a)
{
    return a.size() > 1 && a.startsWith(QLatin1Char('-')) && !isOurs(a);
}

CommandLine refused(const QString& why)
{
    CommandLine line;
    line.action = CommandLine::Action::Refuse;
    line.error = why;
    return line;
}

// A folder that does not exist is never made: a mistyped --dir must not start the bells on an empty
// timetable.
QString checkFolder(const QString& dir)
{
    const QFileInfo info(dir);
    if (!info.exists())
        return QStringLiteral("the program folder '%1' does not exist").arg(dir);
    if (!info.isDir())
        return QStringLiteral("'%1' is not a folder").arg(dir);
    return QString();
}

CommandLine parseRun(const QStringList& arguments)
{
    CommandLine line;
    bool haveDir = false;
    QString qtOption; // the first one, named when it is refused
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == QLatin1String("--dir") || a.startsWith(QLatin1String("--dir="))) {
            if (haveDir)
                return refused(QStringLiteral("--dir given twice"));
            haveDir = true;
            if (a.size() > 5)
                line.dir = a.mid(6);
            else if (i + 1 < arguments.size() && !isOurs(arguments.at(i + 1)))
                line.dir = arguments.at(++i);
            if (line.dir.isEmpty())
                return refused(QStringLiteral("--dir needs a folder"));
        } else if (a == QLatin1String("--headless")) {
            if (line.headless)
                return refused(QStringLiteral("--headless given twice"));
            line.headless = true;
        } else if (isQtOption(a)) {
            if (qtOption.isEmpty())
                qtOption = a;
            if (i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(QLatin1Char('-')))
                ++i; // its value
        } else {
            return refused(QStringLiteral("unknown argument '%1'").arg(a));
        }
    }
    if (line.headless && !qtOption.isEmpty())
        return refused(QStringLiteral("unknown argument '%1'").arg(qtOption));
    if (haveDir) {
        if (const QString why = checkFolder(line.dir); !why.isEmpty())
            return refused(why);
    }
    return line;
}
} // namespace

CommandLine CommandLine::parse(const QStringList& arguments)
{
    for (const QString& a : arguments) {
        if (a == QLatin1String("--help") || a == QLatin1String("--version")) {
            CommandLine line;
            line.action = a == QLatin1String("--help") ? Action::Help : Action::Version;
            return line;
        }
    }
    if (arguments.contains(QStringLiteral("--simulate"))) {
        const SimulateCommandLine parsed = parseSimulateArguments(arguments);
        if (!parsed.arguments)
            return refused(parsed.error);
        CommandLine line;
        line.action = Action::Simulate;
        line.dir = parsed.arguments->dir;
        line.simulate = parsed.arguments;
        return line;
    }
    return parseRun(arguments);
}

CommandLine CommandLine::parse(int argc, char** argv)
{
    return parse(programArguments(argc, argv));
}

QString usageText()
{
    return QStringLiteral(
        "Usage: vezozil [--dir FOLDER] [--headless]\n"
        "       vezozil --dir FOLDER --simulate FROM UNTIL [--summary] [--tick-by-tick]\n"
        "       vezozil --help | --version\n"
        "\n"
        "Vezo Zil rings a school's bells from a weekly timetable.\n"
        "\n"
        "Options:\n"
        "  --dir FOLDER          use FOLDER as the program folder (timetables, settings, sounds)\n"
        "  --headless            ring the bells without a window or tray icon\n"
        "  --simulate FROM UNTIL rehearse the bells from FROM to UNTIL (YYYY-MM-DDTHH:MM:SS),\n"
        "                        without sound, relay or window, one line per event; after each\n"
        "                        day line, one line 'calendar RULE NAME' per rule of the school\n"
        "                        calendar that applies (okul-gunu, tatil, egitim-yili-disi,\n"
        "                        gun-turu, gun-turu-yok, yarim-gun, saatli-tatil, toren,\n"
        "                        takvim-bozuk)\n"
        "  --summary             with --simulate: one line per day instead of the events: the\n"
        "                        date, the rules, the number of bells, the first and last bell\n"
        "  --tick-by-tick        with --simulate: tick every second, even those in which nothing\n"
        "                        can happen; slower, the same output\n"
        "  --help                show this help and exit\n"
        "  --version             show the version and exit\n");
}

int printHelp(std::FILE* to)
{
    std::fputs(usageText().toLocal8Bit().constData(), to);
    return ExitStatus::Ok;
}

int printVersion()
{
    std::fputs("vezozil " VEZOZIL_VERSION "\n", stdout);
    return ExitStatus::Ok;
}

int refuseCommandLine(const QString& error)
{
    std::fprintf(stderr, "vezozil: %s\n", error.toLocal8Bit().constData());
    printHelp(stderr);
    return ExitStatus::BadCommandLine;
}
