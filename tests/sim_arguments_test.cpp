#include "sim/SimulateCommand.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ctime>

namespace {
struct Case
{
    const char* name;
    QStringList arguments; // "DIR" stands for an existing folder
    int status;
};

QStringList withDir(QStringList arguments, const QString& dir)
{
    for (QString& a : arguments)
        a.replace(QStringLiteral("DIR"), dir);
    return arguments;
}

const QString From = QStringLiteral("2026-12-07T08:00:00");
const QString Until = QStringLiteral("2026-12-07T08:00:02");
} // namespace

TEST(SimulateArguments, CommandLinesAreAcceptedOrRefusedWithStatusTwo)
{
    const std::vector<Case> cases{
        {"program name first", {"vezozil", "--dir", "DIR", "--simulate", From, Until}, 0},
        {"without program name", {"--dir", "DIR", "--simulate", From, Until}, 0},
        {"options in any order", {"vezozil", "--simulate", From, Until, "--dir", "DIR"}, 0},
        {"dir with equals sign", {"vezozil", "--dir=DIR", "--simulate", From, Until}, 0},
        {"no time passes", {"vezozil", "--dir", "DIR", "--simulate", From, From}, 0},
        {"a summary, every second ticked", {"--summary", "--dir", "DIR", "--simulate", From, Until, "--tick-by-tick"}, 0},
        {"summary twice", {"vezozil", "--dir", "DIR", "--simulate", From, Until, "--summary", "--summary"}, 2},
        {"nothing", {"vezozil"}, 2},
        {"dir missing", {"vezozil", "--simulate", From, Until}, 2},
        {"dir value missing", {"vezozil", "--dir", "--simulate", From, Until}, 2},
        {"dir value missing at end", {"vezozil", "--simulate", From, Until, "--dir"}, 2},
        {"empty dir", {"vezozil", "--dir=", "--simulate", From, Until}, 2},
        {"dir that does not exist", {"vezozil", "--dir", "DIR/yok", "--simulate", From, Until}, 2},
        {"dir twice", {"vezozil", "--dir", "DIR", "--dir", "DIR", "--simulate", From, Until}, 2},
        {"simulate missing", {"vezozil", "--dir", "DIR"}, 2},
        {"one time only", {"vezozil", "--dir", "DIR", "--simulate", From}, 2},
        {"simulate twice",
         {"vezozil", "--dir", "DIR", "--simulate", From, Until, "--simulate", From, Until},
         2},
        {"until before from", {"vezozil", "--dir", "DIR", "--simulate", Until, From}, 2},
        {"date only", {"vezozil", "--dir", "DIR", "--simulate", "2026-12-07", Until}, 2},
        {"blank for T", {"vezozil", "--dir", "DIR", "--simulate", "2026-12-07 08:00:00", Until}, 2},
        {"no seconds", {"vezozil", "--dir", "DIR", "--simulate", From, "2026-12-07T08:01"}, 2},
        {"short hour", {"vezozil", "--dir", "DIR", "--simulate", From, "2026-12-07T8:00:02"}, 2},
        {"no such day", {"vezozil", "--dir", "DIR", "--simulate", "2026-02-30T08:00:00", Until}, 2},
        {"hour 24", {"vezozil", "--dir", "DIR", "--simulate", From, "2026-12-07T24:00:00"}, 2},
        {"time zone", {"vezozil", "--dir", "DIR", "--simulate", From, "2026-12-07T08:00:02Z"}, 2},
        {"unknown option", {"vezozil", "--dir", "DIR", "--simulate", From, Until, "--fast"}, 2},
        {"stray word", {"vezozil", "--dir", "DIR", "okul", "--simulate", From, Until}, 2},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        QString output;
        QTextStream out(&output);
        const QStringList arguments = withDir(c.arguments, dir.path());
        const SimulateCommandLine parsed = parseSimulateArguments(arguments);
        EXPECT_EQ(runSimulateCommand(arguments, out), c.status) << c.name;
        EXPECT_EQ(parsed.arguments.has_value(), c.status == 0) << c.name;
        EXPECT_EQ(parsed.error.isEmpty(), c.status == 0) << c.name;
        if (c.status == 2) {
            EXPECT_TRUE(output.isEmpty()) << c.name << ": a refused command line rehearses nothing";
        }
    }
}

TEST(SimulateArguments, TimesAreLocalAndExact)
{
    const SimulateCommandLine parsed = parseSimulateArguments(
        {QStringLiteral("--dir"), QDir::tempPath(), QStringLiteral("--simulate"), From, Until});
    ASSERT_TRUE(parsed.arguments);
    EXPECT_EQ(parsed.arguments->from, QDateTime(QDate(2026, 12, 7), QTime(8, 0, 0)));
    EXPECT_EQ(parsed.arguments->until, QDateTime(QDate(2026, 12, 7), QTime(8, 0, 2)));
    EXPECT_EQ(parsed.arguments->from.timeSpec(), Qt::LocalTime);
}

TEST(SimulateArguments, StartupAloneRunsWhenNoTimePasses)
{
    QTemporaryDir dir;
    QString output;
    QTextStream out(&output);
    ASSERT_EQ(runSimulateCommand(
                  {QStringLiteral("--dir"), dir.path(), QStringLiteral("--simulate"), From, From}, out),
              0);
    EXPECT_EQ(output, QStringLiteral("2026-12-07T08:00:00 day Pazartesi\n"));
}

#ifndef Q_OS_WIN // the zone is chosen through TZ, which Windows' C runtime does not read this way
TEST(SimulateArguments, TimeTheClockSkipsIsRefused)
{
    if (!QFile::exists(QStringLiteral("/usr/share/zoneinfo/Europe/Berlin")))
        GTEST_SKIP() << "no time zone data";
    const QByteArray before = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    // Summer time begins at 02:00 on 29 March 2026: the clock goes from 01:59:59 to 03:00:00.
    EXPECT_FALSE(parseSimulateTime(QStringLiteral("2026-03-29T02:30:00")).isValid());
    EXPECT_TRUE(parseSimulateTime(QStringLiteral("2026-03-29T03:00:00")).isValid());
    const QDateTime a = parseSimulateTime(QStringLiteral("2026-03-29T01:59:59"));
    EXPECT_EQ(a.secsTo(parseSimulateTime(QStringLiteral("2026-03-29T03:00:00"))), 1);
    if (before.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", before);
    tzset();
}
#endif
