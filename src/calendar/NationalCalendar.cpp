#include "calendar/NationalCalendar.h"

#include "calendar/CalendarFile.h"
#include "common/Log.h"

#include <QDir>
#include <QFileInfo>

namespace NationalCalendar {

QString locate(const QString& executableDir)
{
    QStringList places;
    if (!executableDir.isEmpty()) {
        places << QDir(executableDir).filePath(FileName)
               << QDir::cleanPath(executableDir + QStringLiteral("/../share/vezozil-takvim/") + FileName);
    }
    places << QStringLiteral(VEZOZIL_NATIONAL_CALENDAR_DIR "/") + FileName;
    for (const QString& p : std::as_const(places)) {
        if (QFileInfo(p).isFile())
            return p;
    }
    return QString();
}

QList<CalendarEntry> load(const QString& path)
{
    if (path.isEmpty()) {
        qCWarning(lcFiles) << "the national calendar" << FileName
                           << "was not found: official and religious holidays do not apply";
        return {};
    }
    const CalendarFile::ReadResult r = CalendarFile::read(path, EntrySource::Official, true);
    if (r.status != CalendarFile::Status::Read) {
        qCWarning(lcFiles).noquote() << "the national calendar" << path << "cannot be read:"
                                     << (r.problem.isEmpty() ? QStringLiteral("missing") : r.problem)
                                     << "- official and religious holidays do not apply";
        return {};
    }
    for (const CalendarEntry& e : r.document.entries) {
        if (!e.problem.isEmpty())
            qCWarning(lcFiles).noquote()
                << "national calendar entry" << e.summary << "is ignored:" << e.problem;
    }
    qCInfo(lcFiles).noquote() << "national calendar:" << path << r.document.entries.size() << "entries";
    return r.document.entries;
}

} // namespace NationalCalendar
