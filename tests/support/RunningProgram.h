#pragma once

#include "support/RehearsalProcess.h"

#include <QDeadlineTimer>
#include <QProcess>

#include <csignal>

// In a sanitizer build, an option added to what the program is started with (ASAN_OPTIONS) for what
// lies outside our code: a library the sanitizer misreads, or a preload that must come first.
inline void addSanitizerOption(QProcessEnvironment& env, const char* option)
{
    const QString current = env.value(QStringLiteral("ASAN_OPTIONS"));
    if (!current.isEmpty())
        env.insert(QStringLiteral("ASAN_OPTIONS"), current + QLatin1Char(':') + QLatin1String(option));
}

// The real program (VEZOZIL_EXE) started in the background, with what it logs kept as it comes.
// Whatever the test does, the process is gone when this object is.
class RunningProgram
{
public:
    RunningProgram(const QStringList& arguments, const QProcessEnvironment& environment)
    {
        m_process.setProcessEnvironment(environment);
        m_process.setReadChannel(QProcess::StandardError);
        m_process.start(programPath(), arguments);
        m_process.waitForStarted(10000);
    }
    ~RunningProgram()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    qint64 pid() const { return m_process.processId(); }
    // Looks at the process now: its state changes only when someone waits on it.
    bool running()
    {
        m_process.waitForFinished(0);
        return m_process.state() == QProcess::Running;
    }

    // Waits until the program has logged `text`; false when it ends first or the time runs out.
    bool waitForLog(const QByteArray& text, int timeoutMs = 20000)
    {
        const QDeadlineTimer deadline(timeoutMs);
        while (!m_errors.contains(text)) {
            if (m_process.state() == QProcess::NotRunning || deadline.hasExpired()) {
                m_errors += m_process.readAllStandardError();
                return m_errors.contains(text);
            }
            m_process.waitForReadyRead(50);
            m_errors += m_process.readAllStandardError();
        }
        return true;
    }

    // Waits for the end; true when the program ended on its own with `status` (a crash or a kill is
    // never a status). Generous: this says that it ends, not how fast.
    bool endsWith(int status, int timeoutMs = 20000)
    {
        const bool ended = m_process.state() == QProcess::NotRunning || m_process.waitForFinished(timeoutMs);
        m_errors += m_process.readAllStandardError();
        return ended && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == status;
    }

    // Only to the program while it runs: pid 0 would signal the whole process group, the tests too.
    void signal(int number) const
    {
        if (const qint64 pid = m_process.processId(); pid > 0)
            ::kill(static_cast<pid_t>(pid), number);
    }

    QString log() const { return QString::fromUtf8(m_errors); }
    int count(const QByteArray& text) const { return int(m_errors.count(text)); }
    QByteArray standardOutput() { return m_process.readAllStandardOutput(); }

private:
    QProcess m_process;
    QByteArray m_errors;
};
