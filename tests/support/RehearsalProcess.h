#pragma once

#include <QDate>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// What one run of the real program printed and how it ended.
struct ProgramRun
{
    bool finished = false; // false: it did not end in time and was killed
    int exitCode = -1;     // -1 after a crash or a kill
    QStringList lines;     // standard output, one entry per line; a last line without its end is marked
    QByteArray output;     // standard output as written
    QString errors;        // standard error
};

// The program built beside the tests (CTest sets VEZOZIL_EXE).
inline QString programPath()
{
    return qEnvironmentVariable("VEZOZIL_EXE");
}

// Output lines, so that a comparison shows a missing line end as a difference of its own.
inline QStringList outputLines(const QByteArray& output)
{
    QStringList lines = QString::fromUtf8(output).split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    else
        lines.last() += QStringLiteral(" <no line end>");
    return lines;
}

// Runs the program to its end and waits at most `timeoutMs`; a run that does not end is killed, so no
// test leaves a process behind.
inline ProgramRun runProgram(const QStringList& arguments, const QProcessEnvironment& environment,
                             int timeoutMs = 60000)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(programPath(), arguments);
    ProgramRun run;
    run.finished = process.waitForFinished(timeoutMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished(5000);
    }
    if (process.exitStatus() == QProcess::NormalExit && run.finished)
        run.exitCode = process.exitCode();
    run.output = process.readAllStandardOutput();
    run.lines = outputLines(run.output);
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Expected lines written "hh:mm:ss event", all on one date.
inline QStringList on(const QDate& date, const QStringList& lines)
{
    QStringList full;
    for (const QString& l : lines)
        full << date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('T') + l;
    return full;
}
