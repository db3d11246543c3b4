#include "platform/ProgramFolderChoice.h"

#include "common/Log.h"
#include "schedule/ProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {
const QString DirOption = QStringLiteral("--dir");

bool holdsTimetables(const QString& dir)
{
    const QStringList entries = QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    return std::any_of(entries.begin(), entries.end(), [](const QString& e) {
        return e.compare(QLatin1String("saatler"), Qt::CaseInsensitive) == 0;
    });
}

// Copied under a temporary name first, so a power cut mid-copy never leaves half a file that the
// next start would take for the school's own.
bool copyOne(const QString& from, const QString& to)
{
    QDir().mkpath(QFileInfo(to).absolutePath());
    const QString part = to + QStringLiteral(".part");
    QFile::remove(part);
    if (!QFile::copy(from, part))
        return false;
    // Installed files are read-only; the school's copies must take its saves.
    QFile::setPermissions(part, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (!QFile::rename(part, to)) {
        QFile::remove(part);
        return false;
    }
    return true;
}
} // namespace

QString programFolderArgument(const QStringList& arguments)
{
    const QString prefix = DirOption + QLatin1Char('=');
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == DirOption) {
            // "--dir" followed by the next option has no value.
            const QString value = i + 1 < arguments.size() ? arguments.at(i + 1) : QString();
            return value.isEmpty() || value.startsWith(QLatin1String("--")) ? QString() : value;
        }
        if (a.startsWith(prefix) && a.size() > prefix.size())
            return a.mid(prefix.size());
    }
    return QString();
}

int seedProgramFolder(const QString& target, const QString& defaults)
{
    const QDir from(defaults);
    const ProgramFolder folder(target);
    int copied = 0;
    QDirIterator it(defaults, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = from.relativeFilePath(source);
        const QString destination = folder.path(relative);
        if (QFileInfo::exists(destination))
            continue;
        if (copyOne(source, destination))
            ++copied;
        else
            qCWarning(lcFiles) << "could not copy" << source << "to" << destination;
    }
    return copied;
}

namespace {
// Fills `target` from the first installed defaults that hold timetables, keeping what it has.
void seedFromDefaults(const QString& target, const QStringList& defaultsDirs)
{
    const auto defaults = std::find_if(defaultsDirs.begin(), defaultsDirs.end(),
                                       [](const QString& d) { return holdsTimetables(d); });
    if (defaults == defaultsDirs.end()) {
        qCWarning(lcFiles) << "no installed defaults found in" << defaultsDirs;
        return;
    }
    if (const int copied = seedProgramFolder(target, *defaults))
        qCInfo(lcFiles) << "copied" << copied << "default files from" << *defaults << "to" << target;
}
} // namespace

QString chooseProgramFolder(const QStringList& arguments, const QString& executableDir,
                            const ProgramFolderPlaces& places)
{
    const QString given = programFolderArgument(arguments);
    if (!given.isNull()) {
        const QString dir = QDir::cleanPath(QDir::current().absoluteFilePath(given));
        // A folder made for the program (the service's state folder, a new school folder) starts
        // from the installed defaults; one that does not exist is never made here.
        if (QFileInfo(dir).isDir() && !holdsTimetables(dir))
            seedFromDefaults(dir, places.defaultsDirs);
        return dir;
    }
    if (!executableDir.isEmpty() && holdsTimetables(executableDir))
        return QDir::cleanPath(QDir(executableDir).absolutePath());

    const QString target = QDir::cleanPath(places.userDataDir);
    if (!QDir().mkpath(target))
        qCWarning(lcFiles) << "the program folder" << target << "cannot be made";
    seedFromDefaults(target, places.defaultsDirs);
    return target;
}

QString chooseProgramFolder(const QStringList& arguments, const QString& executableDir)
{
    return chooseProgramFolder(arguments, executableDir, systemProgramFolderPlaces(executableDir));
}
