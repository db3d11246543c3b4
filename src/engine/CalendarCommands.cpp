#include "engine/CalendarCommands.h"

#include "calendar/CalendarFile.h"
#include "calendar/CalendarTexts.h"
#include "calendar/DayTypes.h"
#include "calendar/EntryCheck.h"
#include "common/Log.h"
#include "engine/Controller.h"
#include "schedule/DayFile.h"
#include "schedule/TextFile.h"

#include <QFileInfo>

namespace {
const QString NotSaved = QStringLiteral("Takvim kaydedilemedi: %1");

qsizetype indexOfUid(const QList<CalendarEntry>& entries, const QString& uid)
{
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries.at(i).uid == uid)
            return i;
    }
    return -1;
}

// An entry the window made or changed is checked as the reader would check it.
QString refused(const CalendarEntry& e)
{
    const QString problem = entryProblem(e);
    return problem.isEmpty() ? QString() : QStringLiteral("Kayıt eklenemedi: %1").arg(problem);
}
} // namespace

const QList<CalendarEntry>& CalendarCommands::schoolEntries() const
{
    return c.calendar.calendar().school();
}

const QList<CalendarEntry>& CalendarCommands::nationalEntries() const
{
    return c.calendar.calendar().national();
}

CalendarDay CalendarCommands::decide(const QDate& date) const
{
    return c.calendar.calendar().decide(date);
}

bool CalendarCommands::nationalApplies() const
{
    return c.calendar.calendar().nationalApplies();
}

QString CalendarCommands::schoolFileProblem() const
{
    return c.calendar.schoolFileProblem();
}

QString CalendarCommands::religiousHolidaysWarning(const QDate& date) const
{
    const SchoolCalendar& cal = c.calendar.calendar();
    return cal.religiousHolidaysRunOut(date)
               ? CalendarTexts::religiousHolidaysRunOut(cal.lastReligiousYear()).text
               : QString();
}

QString CalendarCommands::save(const QList<CalendarEntry>& entries)
{
    const QString path = c.folder.path(CalendarFile::FileName);
    // The file read at start-up could not be read: it is kept beside the new one, never lost.
    if (!c.calendar.schoolFileProblem().isEmpty() && TextFile::isRegularFile(path) &&
        CalendarFile::keepBroken(path).isEmpty())
        return NotSaved.arg(QStringLiteral("okunamayan takvim.ics, takvim.ics.bozuk olarak saklanamadı"));
    const CalendarDocument document{entries, c.calendar.schoolCalendarKept()};
    QString error;
    if (!CalendarFile::write(path, document, &error))
        return NotSaved.arg(error);
    // Read back as it is stored, so what is shown and applied is what the file holds.
    const CalendarFile::ReadResult stored = CalendarFile::read(path);
    if (stored.status == CalendarFile::Status::Read)
        c.calendar.schoolSaved(stored.document.entries, stored.document.calendar);
    else
        c.calendar.schoolSaved(entries, document.calendar);
    qCInfo(lcFiles) << CalendarFile::FileName << "saved:" << entries.size() << "entries";
    touched();
    return QString();
}

void CalendarCommands::touched()
{
    c.m.touch();
}

QString CalendarCommands::addEntry(const CalendarEntry& entry)
{
    return putEntries({entry});
}

QString CalendarCommands::putEntries(const QList<CalendarEntry>& added)
{
    QList<CalendarEntry> entries = schoolEntries();
    for (CalendarEntry e : added) {
        if (const QString why = refused(e); !why.isEmpty())
            return why;
        if (e.uid.isEmpty())
            e.uid = CalendarEntry::newUid();
        e.national = false;
        const qsizetype at = indexOfUid(entries, e.uid);
        if (at >= 0)
            entries[at] = e;
        else
            entries << e;
    }
    return save(entries);
}

QString CalendarCommands::setSchoolYear(const SchoolYearDates& dates)
{
    if (const QString problem = dates.problem(); !problem.isEmpty())
        return problem;
    return putEntries(dates.entries());
}

QString CalendarCommands::updateEntry(const CalendarEntry& entry)
{
    if (indexOfUid(schoolEntries(), entry.uid) < 0)
        return QStringLiteral("Kayıt bulunamadı: takvimde artık yok.");
    return putEntries({entry});
}

QString CalendarCommands::removeEntry(const QString& uid)
{
    QList<CalendarEntry> entries = schoolEntries();
    const qsizetype at = indexOfUid(entries, uid);
    if (at < 0)
        return QStringLiteral("Kayıt bulunamadı: takvimde artık yok.");
    entries.removeAt(at);
    return save(entries);
}

QString CalendarCommands::setNationalApplies(bool applies)
{
    if (!AppSettings::writeNationalHolidays(c.folder, applies))
        return QStringLiteral("Ayar kaydedilemedi: %1").arg(AppSettings::FileName);
    c.settings.nationalHolidays = applies;
    c.calendar.nationalSwitched(applies);
    touched();
    return QString();
}

CalendarCommands::ImportResult CalendarCommands::importFile(const QString& path)
{
    ImportResult result;
    const CalendarFile::ReadResult r = CalendarFile::read(path);
    if (r.status != CalendarFile::Status::Read) {
        result.error = QStringLiteral("Dosya okunamadı: %1")
                           .arg(r.problem.isEmpty() ? QStringLiteral("dosya yok") : r.problem);
        return result;
    }
    QList<CalendarEntry> entries = schoolEntries();
    for (CalendarEntry e : r.document.entries) {
        if (!e.problem.isEmpty()) {
            ++result.skipped;
            continue;
        }
        if (e.uid.isEmpty())
            e.uid = CalendarEntry::newUid();
        const qsizetype at = indexOfUid(entries, e.uid);
        if (at >= 0) {
            entries[at] = e;
            ++result.replaced;
        } else {
            entries << e;
            ++result.added;
        }
    }
    result.error = save(entries);
    return result;
}

QString CalendarCommands::exportFile(const QString& path, bool withNational) const
{
    CalendarDocument document{schoolEntries(), c.calendar.schoolCalendarKept()};
    if (withNational)
        document.entries << nationalEntries();
    QString error;
    if (!CalendarFile::write(path, document, &error))
        return QStringLiteral("Dışa aktarılamadı: %1").arg(error);
    return QString();
}

QStringList CalendarCommands::dayTypes() const
{
    return DayTypes::names(c.folder);
}

std::optional<DaySchedule> CalendarCommands::readDayType(const QString& name) const
{
    if (!DayTypes::exists(c.folder, name))
        return std::nullopt;
    DaySchedule slots;
    slots.fill(QStringLiteral("XX:XX"));
    readDayTypeFile(c.folder, name, slots);
    return slots;
}

QString CalendarCommands::saveDayType(const QString& name, const DaySchedule& slots)
{
    if (const QString problem = DayTypes::nameProblem(name); !problem.isEmpty())
        return problem;
    if (!DayTypes::save(c.folder, name, slots))
        return QStringLiteral("Gün türü kaydedilemedi: %1")
            .arg(c.folder.relative(dayTypeFilePath(c.folder, name)));
    // Today's own day type, or the one today wanted and lacked: the grid takes it now.
    if (c.calendar.today().dayType.compare(name, Qt::CaseInsensitive) == 0)
        c.calendar.reapply(c.calendar.today().date, true);
    touched();
    return QString();
}

QString CalendarCommands::removeDayType(const QString& name)
{
    for (const CalendarEntry& e : schoolEntries()) {
        if (!e.dayType.isEmpty() && e.dayType.compare(name, Qt::CaseInsensitive) == 0)
            return QStringLiteral("Bu gün türü takvimde kullanılıyor (%1): önce o kaydı değiştirin.")
                .arg(e.summary);
    }
    if (!DayTypes::remove(c.folder, name))
        return QStringLiteral("Gün türü silinemedi: %1").arg(name);
    touched();
    return QString();
}

GeneratedDay CalendarCommands::generateDayType(const DayTypeRecipe& recipe)
{
    return ::generateDayType(recipe);
}
