#include "platform/SystemDesktop.h"

#include "common/Log.h"

#include <QFileInfo>

#include <algorithm>

namespace {
// The kernel keeps at most 15 bytes of a command name.
constexpr int CommLength = 15;
const QString DeletedSuffix = QStringLiteral(" (deleted)");

QString baseName(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

// The names a process may carry for one image name: the name itself and, for a Windows name,
// the same name without ".exe".
QStringList candidateNames(const QString& imageName)
{
    QStringList names{imageName};
    static const QString exe = QStringLiteral(".exe");
    if (imageName.size() > exe.size() && imageName.endsWith(exe, Qt::CaseInsensitive))
        names << imageName.chopped(exe.size());
    return names;
}

} // namespace

SystemDesktop::SystemDesktop() : m_own(std::make_unique<SystemProcessControl>()), m_control(*m_own) {}

SystemDesktop::SystemDesktop(ProcessControl& control) : m_control(control) {}

SystemDesktop::~SystemDesktop() = default;

void SystemDesktop::openDocument(const QString& path)
{
    if (path.isEmpty())
        return;
#ifdef Q_OS_WIN
    if (!m_control.shellOpen(path))
        qCWarning(lcApp) << "could not open" << path;
#else
    // A program is started itself, in its own folder, as the Windows shell would; anything else
    // (a playlist, a document) goes to the program the desktop associates with it. An executable
    // that cannot be run (a document with the execute bit on a Windows disk) is opened like a
    // document.
    const QFileInfo info(path);
    if (info.isFile() && info.isExecutable() &&
        m_control.startDetached(info.absoluteFilePath(), {}, info.absolutePath()))
        return;
    if (!m_control.startDetached(QStringLiteral("xdg-open"), {path}))
        qCWarning(lcApp) << "could not open" << path << "(xdg-open cannot be started)";
#endif
}

void SystemDesktop::killProcesses(const QString& imageName)
{
    if (imageName.isEmpty())
        return;
#ifdef Q_OS_WIN
    if (!m_control.startDetached(QStringLiteral("taskkill"),
                                 {QStringLiteral("/F"), QStringLiteral("/IM"), imageName}))
        qCWarning(lcApp) << "taskkill cannot be started";
#else
    const QList<qint64> pids = matchingProcesses(imageName);
    for (const qint64 pid : pids) {
        if (!m_control.kill(pid))
            qCWarning(lcApp) << "could not end process" << pid << imageName;
    }
    qCInfo(lcApp) << "ended" << pids.size() << "processes named" << imageName;
#endif
}

QList<qint64> SystemDesktop::matchingProcesses(const QString& imageName)
{
    QList<qint64> found;
    if (imageName.isEmpty() || imageName.contains(QLatin1Char('/')))
        return found;
    const QStringList names = candidateNames(imageName);
    const qint64 self = m_control.ownPid();
    for (const qint64 pid : m_control.processIds()) {
        if (pid != self && matches(pid, names))
            found << pid;
    }
    return found;
}

bool SystemDesktop::matches(qint64 pid, const QStringList& names)
{
    QString exe = m_control.executablePath(pid);
    if (exe.endsWith(DeletedSuffix)) // the program was replaced on disk while it ran
        exe.chop(DeletedSuffix.size());
    const QString exeName = baseName(exe);
    const QByteArray comm = m_control.commandName(pid).toLocal8Bit();
    for (const QString& name : names) {
        if (exeName == name)
            return true;
        // A script runs under its interpreter, so only its command name carries its own name.
        const QByteArray wanted = name.toLocal8Bit();
        if (wanted.size() <= CommLength) {
            if (comm == wanted)
                return true;
            continue;
        }
        // The kernel cut the command name: a longer name must also stand as one of the first two
        // words of the command line (the program, or the script after its interpreter).
        if (comm.size() == CommLength && wanted.startsWith(comm)) {
            const QStringList words = m_control.commandLine(pid).mid(0, 2);
            if (std::any_of(words.begin(), words.end(),
                            [&](const QString& w) { return baseName(w) == name; }))
                return true;
        }
    }
    return false;
}

void SystemDesktop::shutdown()
{
#ifdef Q_OS_WIN
    const bool started = m_control.startDetached(QStringLiteral("shutdown"), {QStringLiteral("-s")});
#else
    const bool started =
        m_control.startDetached(QStringLiteral("systemctl"), {QStringLiteral("poweroff")}) ||
        m_control.startDetached(QStringLiteral("shutdown"), {QStringLiteral("-h"), QStringLiteral("now")});
#endif
    if (!started)
        qCWarning(lcApp) << "the shutdown command cannot be started";
}

void SystemDesktop::openUrl(const QString& url)
{
    if (url.isEmpty())
        return;
#ifdef Q_OS_WIN
    const bool opened = m_control.shellOpen(url);
#else
    const bool opened = m_control.startDetached(QStringLiteral("xdg-open"), {url});
#endif
    if (!opened)
        qCWarning(lcApp) << "could not open" << url;
}
