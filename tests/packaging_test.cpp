// The files the package installs, checked with the tools the desktop and the system check them with.
#include "support/RehearsalProcess.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
QString sourcePath(const QString& relative)
{
    return qEnvironmentVariable("VEZOZIL_SOURCE_DIR") + QLatin1Char('/') + relative;
}

QString buildPath(const QString& relative)
{
    return qEnvironmentVariable("VEZOZIL_BUILD_DIR") + QLatin1Char('/') + relative;
}

struct ToolRun
{
    int exitCode = -1;
    QString output; // standard output and error together
};

ToolRun runTool(const QString& program, const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    ToolRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        run.output = program + QStringLiteral(" did not run or did not end");
        return run;
    }
    run.output = QString::fromUtf8(process.readAll());
    if (process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    return run;
}

// A unit with the installed program's path turned into the one built here, under its own name, so
// the check finds the program it starts.
QString unitForBuild(const QTemporaryDir& dir, const QString& name)
{
    QFile source(sourcePath(QStringLiteral("packaging/") + name));
    if (!source.open(QIODevice::ReadOnly))
        return QString();
    QByteArray text = source.readAll();
    text.replace("/usr/bin/vezozil", programPath().toUtf8());
    QFile unit(dir.filePath(name));
    if (!unit.open(QIODevice::WriteOnly) || unit.write(text) != text.size())
        return QString();
    return unit.fileName();
}

// A line of roff as the reader sees it: fonts dropped, "\\-" a plain hyphen, blanks single.
QString plain(QString roff)
{
    static const QRegularExpression font(QStringLiteral("\\\\f[BIRP]"));
    return roff.remove(font).replace(QStringLiteral("\\-"), QStringLiteral("-")).simplified();
}
// The usage lines and the option entries ("--dir FOLDER" and its description) of --help.
struct Help
{
    QStringList usage;
    QList<QPair<QString, QString>> options;
};

Help parseHelp(const QString& text)
{
    // An option, its arguments in capitals, then the description (after one blank or more).
    static const QRegularExpression option(QStringLiteral("^  (--\\S+(?: [A-Z]+)*)\\s+(\\S.*)$"));
    Help help;
    bool inOptions = false;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Usage: ")))
            help.usage << line.mid(7).trimmed();
        else if (line.startsWith(QLatin1String("       vezozil")) && !inOptions)
            help.usage << line.trimmed();
        else if (line == QLatin1String("Options:"))
            inOptions = true;
        else if (const auto m = option.match(line); inOptions && m.hasMatch())
            help.options.append({m.captured(1), m.captured(2)});
        else if (inOptions && !line.trimmed().isEmpty() && !help.options.isEmpty())
            help.options.last().second += QLatin1Char(' ') + line.trimmed();
    }
    return help;
}

// The same from a manual page's source: its synopsis (".br" between the forms), its ".TP" option
// entries, and the header that carries the version.
Help readManualPage(const QString& path, QString& header)
{
    Help page;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return page;
    QString section;
    bool term = false;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String(".TH ")))
            header = line;
        else if (line.startsWith(QLatin1String(".SH ")))
            section = line.mid(4), term = false;
        else if (section == QLatin1String("SYNOPSIS") || section == QStringLiteral("ÖZET")) {
            if (page.usage.isEmpty() || line == QLatin1String(".br"))
                page.usage << QString();
            if (line != QLatin1String(".br"))
                page.usage.last() = plain(page.usage.last() + QLatin1Char(' ') +
                                          line.mid(line.startsWith(QLatin1String(".B ")) ? 3 : 0));
        } else if (section == QLatin1String("OPTIONS") || section == QStringLiteral("SEÇENEKLER")) {
            if (line == QLatin1String(".TP"))
                term = true;
            else if (term)
                page.options.append({plain(line), QString()}), term = false;
            else if (!page.options.isEmpty())
                page.options.last().second = plain(page.options.last().second + QLatin1Char(' ') + line);
        }
    }
    return page;
}
} // namespace

TEST(Packaging, InstalledFilesPassTheirValidators)
{
    QTemporaryDir units, runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // A user unit is checked as a user manager would load it; that needs a runtime folder.
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    struct Case
    {
        QString program;
        QStringList arguments;
        bool silent; // any word from the tool is a fault, even with status 0
    };
    const Case cases[] = {
        {"desktop-file-validate", {sourcePath("packaging/vezozil.desktop")}, false},
        {"desktop-file-validate", {sourcePath("packaging/vezozil-autostart.desktop")}, true},
        {"appstreamcli",
         {"validate", "--no-net", "--pedantic", buildPath("packaging/tr.org.vezozil.vezozil.metainfo.xml")},
         false},
        {"systemd-analyze", {"verify", "--man=no", unitForBuild(units, "vezozil-headless.service")}, true},
        {"systemd-analyze", {"--user", "verify", "--man=no", unitForBuild(units, "vezozil.service")}, true},
        {"sh", {"-n", sourcePath("packaging/vezozil-autostart")}, true},
        {"sh", {"-n", sourcePath("packaging/postinst")}, true},
        {"sh", {"-n", sourcePath("packaging/prerm")}, true},
        {"sh", {"-n", sourcePath("packaging/postrm")}, true},
    };
    for (const Case& c : cases) {
        const ToolRun run = runTool(c.program, c.arguments, env);
        const auto where = testing::Message()
                           << c.program.toStdString() << ' ' << c.arguments.join(' ').toStdString() << "\n"
                           << run.output.toStdString();
        EXPECT_EQ(run.exitCode, 0) << where;
        if (c.silent) {
            EXPECT_TRUE(run.output.isEmpty()) << where;
        }
        // Hints are advice; errors and warnings are faults, whatever the status says.
        EXPECT_FALSE(run.output.contains(QLatin1String("error"), Qt::CaseInsensitive)) << where;
        EXPECT_FALSE(run.output.contains(QLatin1String("warning"), Qt::CaseInsensitive)) << where;
    }
}

// The manual pages say what the program's own --help and --version say: the English page word for
// word, the Turkish page the same usage, options and arguments with the descriptions in Turkish.
TEST(Packaging, ManualPagesMatchTheProgramsHelpAndVersion)
{
    // A program that does not know the options starts instead: in a home of its own, and not for long.
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"})
        env.insert(QString::fromLatin1(name), home.path());
    const ProgramRun helpRun = runProgram({QStringLiteral("--help")}, env, 5000);
    const QString helpText = QString::fromUtf8(helpRun.output);
    if (helpRun.exitCode != 0 || !helpText.startsWith(QLatin1String("Usage: vezozil")))
        GTEST_SKIP() << "this program has no --help yet";
    const QString version =
        QString::fromUtf8(runProgram({QStringLiteral("--version")}, env, 5000).output).trimmed();
    const Help help = parseHelp(helpText);
    ASSERT_EQ(help.usage.size(), 3) << helpText.toStdString();
    ASSERT_EQ(help.options.size(), 7) << helpText.toStdString();
    QStringList terms;
    for (const auto& o : help.options)
        terms << o.first;

    for (const char* name : {"packaging/man/vezozil.1", "packaging/man/tr/vezozil.1"}) {
        QString header;
        const Help page = readManualPage(buildPath(QString::fromLatin1(name)), header);
        EXPECT_TRUE(header.contains(QLatin1Char('"') + version + QLatin1Char('"')))
            << name << ": " << header.toStdString();
        EXPECT_EQ(page.usage, help.usage) << name;
        if (QString::fromLatin1(name).contains(QLatin1String("/tr/"))) {
            QStringList pageTerms;
            for (const auto& o : page.options)
                pageTerms << o.first;
            EXPECT_EQ(pageTerms, terms) << name;
        } else {
            EXPECT_EQ(page.options, help.options) << name;
        }
    }
}

// Where the session has a systemd user manager, the autostart entry hands the bells to the supervised
// unit (starting a running unit does nothing, so one copy rings); elsewhere it starts the program.
TEST(Packaging, AutostartLauncherStartsTheUserUnitWhereAManagerRuns)
{
    struct Case
    {
        bool managerRuns;
        QStringList calls;
    };
    const Case cases[] = {
        {true,
         {"systemctl --user show-environment",
          "systemctl --user import-environment DISPLAY WAYLAND_DISPLAY XAUTHORITY XDG_CURRENT_DESKTOP "
          "XDG_SESSION_TYPE",
          "systemctl --user --no-block start vezozil.service"}},
        {false, {"systemctl --user show-environment", "vezozil "}},
    };
    for (const Case& c : cases) {
        // A systemctl and a program that write down what they are asked; systemctl fails
        // "show-environment" where no manager runs.
        QTemporaryDir bin;
        const QString log = bin.filePath(QStringLiteral("calls"));
        for (const QString& name : {QStringLiteral("systemctl"), QStringLiteral("vezozil")}) {
            QFile fake(bin.filePath(name));
            ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
            const bool fails = name == QLatin1String("systemctl") && !c.managerRuns;
            fake.write(QStringLiteral("#!/bin/sh\necho \"%1 $*\" >> '%2'\nexit %3\n")
                           .arg(name, log, fails ? QStringLiteral("1") : QStringLiteral("0"))
                           .toUtf8());
            fake.close();
            fake.setPermissions(fake.permissions() | QFile::ExeOwner);
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PATH"), bin.path() + QStringLiteral(":/bin"));
        runTool(QStringLiteral("sh"), {sourcePath(QStringLiteral("packaging/vezozil-autostart"))}, env);
        QFile calls(log);
        ASSERT_TRUE(calls.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(calls.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts), c.calls);
    }
}
