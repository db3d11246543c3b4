#include "platform/SystemDesktop.h"

#include "common/Log.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {
// The kernel keeps at most 15 bytes of a command name.
constexpr int CommLength = 15;
const QString DeletedSuffix = QStringLiteral(" (deleted)");

// The last part of a path in either system's writing: wine gives argv[0] as "C:\\Winamp\\winamp.exe".
QString fileNameOf(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return cut < 0 ? path : path.mid(cut + 1);
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
}

void SystemDesktop::killProcesses(const QString& imageName)
{
    if (imageName.isEmpty())
        return;
    if (m_control.ownRealUid() == 0)
        qCInfo(lcApp) << "running as root: only processes that root itself started are ended";
    const QStringList names = candidateNames(imageName);
    int ended = 0;
    for (const qint64 pid : matchingProcesses(imageName)) {
        // Checked again once the process is pinned: the pid may belong to another process by now.
        if (m_control.killPinned(pid, [&] { return ours(pid) && matches(pid, names); }))
            ++ended;
        else
            qCInfo(lcApp) << "process" << pid << imageName << "not ended: it has gone or changed";
    }
    qCInfo(lcApp) << "ended" << ended << "processes named" << imageName;
}

QList<qint64> SystemDesktop::matchingProcesses(const QString& imageName)
{
    QList<qint64> found;
    if (imageName.isEmpty() || imageName.contains(QLatin1Char('/')))
        return found;
    const QStringList names = candidateNames(imageName);
    const qint64 self = m_control.ownPid();
    for (const qint64 pid : m_control.processIds()) {
        if (pid != self && ours(pid) && matches(pid, names))
            found << pid;
    }
    return found;
}

bool SystemDesktop::ours(qint64 pid)
{
    // The same real uid: another user's programs, or a program a user started through setuid root
    // while this runs as root, are never ours to end.
    const qint64 uid = m_control.ownRealUid();
    return uid >= 0 && m_control.realUid(pid) == uid;
}

bool SystemDesktop::matches(qint64 pid, const QStringList& names)
{
    QString exe = m_control.executablePath(pid);
    if (exe.endsWith(DeletedSuffix)) // the program was replaced on disk while it ran
        exe.chop(DeletedSuffix.size());
    const QStringList argv = m_control.commandLine(pid);
    if (names.contains(fileNameOf(exe)) || (!argv.isEmpty() && names.contains(fileNameOf(argv.first()))))
        return true;
    // A script runs under its interpreter: the kernel put the script's file name after the
    // interpreter (and at most one argument of it), and made its command name from that same file.
    // The name must stand there whole; the command name, which the kernel may have cut, only
    // confirms that the word is the script that was started and not a file given to a program.
    const QByteArray comm = m_control.commandName(pid).toLocal8Bit();
    for (const QString& word : argv.mid(1, 2)) {
        const QString name = fileNameOf(word);
        if (names.contains(name) && !comm.isEmpty() && comm == name.toLocal8Bit().left(CommLength))
            return true;
    }
    return false;
}

void SystemDesktop::shutdown()
{
    const bool started =
        m_control.startDetached(QStringLiteral("systemctl"), {QStringLiteral("poweroff")}) ||
        m_control.startDetached(QStringLiteral("shutdown"), {QStringLiteral("-h"), QStringLiteral("now")});
    if (!started)
        qCWarning(lcApp) << "the shutdown command cannot be started";
}

void SystemDesktop::openUrl(const QString& url)
{
    if (url.isEmpty())
        return;
    const bool opened = m_control.startDetached(QStringLiteral("xdg-open"), {url});
    if (!opened)
        qCWarning(lcApp) << "could not open" << url;
}
