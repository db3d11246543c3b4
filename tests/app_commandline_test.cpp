#include "app/CommandLine.h"
#include "support/RehearsalProcess.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
using Action = CommandLine::Action;

const QString From = QStringLiteral("2026-12-07T08:00:00");
const QString Until = QStringLiteral("2026-12-07T08:00:02");

// "DIR" stands for an existing folder, "FILE" for a file.
QStringList placed(QStringList arguments, const QTemporaryDir& dir)
{
    for (QString& a : arguments) {
        a.replace(QStringLiteral("DIR"), dir.path());
        a.replace(QStringLiteral("FILE"), dir.filePath(QStringLiteral("dosya")));
    }
    return arguments;
}
} // namespace

TEST(CommandLine, EachLineIsReadAsOneActionOrRefused)
{
    const struct
    {
        QStringList arguments;
        Action action;
        bool headless = false;
        const char* error = ""; // a part of the reason given
    } cases[] = {
        {{}, Action::Run},
        {{"--dir", "DIR"}, Action::Run},
        {{"--dir=DIR", "--headless"}, Action::Run, true},
        {{"--headless", "--dir", "DIR"}, Action::Run, true},
        {{"-platform", "offscreen", "--dir", "DIR"}, Action::Run}, // Qt's, for the window
        {{"-session", "1a2b", "-reverse"}, Action::Run},
        {{"--dir", "DIR", "--help"}, Action::Help},
        {{"--version", "--bogus"}, Action::Version},
        {{"--dir", "DIR", "--simulate", From, Until}, Action::Simulate},
        {{"--headless", "-platform", "offscreen"}, Action::Refuse, false, "unknown argument '-platform'"},
        {{"--bogus"}, Action::Refuse, false, "unknown argument '--bogus'"},
        {{"okul"}, Action::Refuse, false, "unknown argument 'okul'"},
        {{"--dir"}, Action::Refuse, false, "--dir needs a folder"},
        {{"--dir", "--headless"}, Action::Refuse, false, "--dir needs a folder"},
        {{"--dir=", "--headless"}, Action::Refuse, false, "--dir needs a folder"},
        {{"--dir", "DIR", "--dir", "DIR"}, Action::Refuse, false, "--dir given twice"},
        {{"--headless", "--headless"}, Action::Refuse, false, "--headless given twice"},
        {{"--dir", "DIR/yok"}, Action::Refuse, false, "does not exist"},
        {{"--dir", "FILE", "--headless"}, Action::Refuse, false, "is not a folder"},
        {{"--dir", "DIR", "--simulate", From, Until, "--headless"}, Action::Refuse, false, "--headless"},
        {{"--simulate", From, Until}, Action::Refuse, false, "--dir is missing"},
    };
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("dosya")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    for (const auto& c : cases) {
        const QStringList arguments = placed(c.arguments, dir);
        const CommandLine line = CommandLine::parse(arguments);
        const std::string shown = arguments.join(' ').toStdString();
        EXPECT_EQ(line.action, c.action) << shown << " " << line.error.toStdString();
        EXPECT_EQ(line.headless, c.headless) << shown;
        EXPECT_TRUE(line.error.contains(QString::fromLatin1(c.error)))
            << shown << " " << line.error.toStdString();
        EXPECT_EQ(line.error.isEmpty(), c.action != Action::Refuse) << shown;
        if (c.action == Action::Run && arguments.contains(QStringLiteral("--dir"))) {
            EXPECT_EQ(line.dir, dir.path()) << shown;
        }
    }
}

TEST(CommandLine, ProgramPrintsHelpVersionOrTheReasonAndUsage)
{
    ASSERT_FALSE(programPath().isEmpty()) << "VEZOZIL_EXE is not set";
    const QString usage = usageText();
    const struct
    {
        QStringList arguments;
        int status;
        QString output;
        QString errors;
    } cases[] = {
        {{"--help"}, 0, usage, ""},
        {{"--version"}, 0, "vezozil " VEZOZIL_VERSION "\n", ""},
        {{"--hizli"}, 2, "", "vezozil: unknown argument '--hizli'\n" + usage},
        {{"--dir", "/yok/okul"}, 2, "", "vezozil: the program folder '/yok/okul' does not exist\n" + usage},
        {{"--headless", "-platform", "offscreen"}, 2, "", "vezozil: unknown argument '-platform'\n" + usage},
    };
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY")); // none of these needs a screen
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    for (const auto& c : cases) {
        const ProgramRun run = runProgram(c.arguments, env, 20000);
        const std::string shown = c.arguments.join(' ').toStdString();
        ASSERT_TRUE(run.finished) << shown;
        EXPECT_EQ(run.exitCode, c.status) << shown;
        EXPECT_EQ(QString::fromUtf8(run.output), c.output) << shown;
        EXPECT_EQ(run.errors, c.errors) << shown;
    }
}
