#include "engine/CalendarActions.h"

#include "calendar/CalendarFile.h"
#include "common/Log.h"
#include "engine/Controller.h"

namespace {
const QString IcsFilter = QStringLiteral("Takvim dosyası (iCalendar)|*.ics");

const QString BrokenFileQuestion = QStringLiteral(
    "takvim.ics okunamadığı için okulun takvimi şu an boş görünüyor.\n\n"
    "Kaydederseniz okunamayan dosya aynı klasörde takvim.ics.bozuk adıyla saklanır ve yerine bu pencerede "
    "girdiğiniz kayıtlarla yeni bir takvim.ics yazılır. Eski kayıtları, takvim.ics.bozuk dosyasını "
    "düzelttikten sonra \"İçe aktar\" ile geri alabilirsiniz.\n\nDevam edilsin mi?");

const CalendarEntry* findEntry(const QList<CalendarEntry>& entries, const QString& uid)
{
    for (const CalendarEntry& e : entries) {
        if (e.uid == uid)
            return &e;
    }
    return nullptr;
}

QString importReport(const CalendarCommands::ImportResult& r)
{
    if (r.added + r.replaced + r.skipped == 0)
        return QStringLiteral("Dosyada takvime alınacak kayıt yoktu.");
    QString text =
        QStringLiteral("Takvime %1 kayıt eklendi, %2 kayıt değiştirildi.").arg(r.added).arg(r.replaced);
    if (r.skipped > 0)
        text += QStringLiteral(" %1 kayıt, tarihi ya da türü okunamadığı için alınmadı.").arg(r.skipped);
    return text;
}
} // namespace

CalendarActions::CalendarActions(Controller& c, Dialogs& dialogs) : c(c), m_dialogs(dialogs) {}

CalendarCommands& CalendarActions::commands() const
{
    return c.calendarCommands;
}

CalendarEntry CalendarActions::newEntry(NewEntry kind, const QDate& day, const QStringList& dayTypes)
{
    switch (kind) {
    case NewEntry::HalfDay:
        // The usual half day: no bells from 13:00 to the end of the day.
        return CalendarEntry::timedEntry(EntryKind::Holiday, QString(), QDateTime(day, QTime(13, 0)),
                                         QDateTime(day.addDays(1), QTime(0, 0)));
    case NewEntry::DayType: {
        CalendarEntry e = CalendarEntry::allDayEntry(EntryKind::DayType, QString(), day, day);
        e.dayType = dayTypes.value(0);
        return e;
    }
    case NewEntry::SchoolDay:
        return CalendarEntry::allDayEntry(EntryKind::SchoolDay, QString(), day, day);
    case NewEntry::SchoolYear:
        return CalendarEntry::allDayEntry(EntryKind::SchoolYear, QString(), day, day);
    case NewEntry::Ceremony: {
        CalendarEntry e =
            CalendarEntry::timedEntry(EntryKind::Ceremony, QString(), QDateTime(day, QTime(9, 0)), {});
        e.sound = CalendarNames::ceremonySounds().value(0);
        return e;
    }
    case NewEntry::Holiday:
        break;
    }
    return CalendarEntry::allDayEntry(EntryKind::Holiday, QString(), day, day);
}

void CalendarActions::refused(const QString& why)
{
    qCInfo(lcApp).noquote() << "calendar change refused:" << why;
    m_dialogs.tell(why, Texts::WarningTitle);
}

bool CalendarActions::mayReplaceBrokenFile()
{
    return commands().schoolFileProblem().isEmpty() || m_dialogs.askYesNo(BrokenFileQuestion);
}

bool CalendarActions::dayTypeAccepted(const CalendarEntry& e)
{
    const bool namesDayType =
        e.kind == EntryKind::DayType || (e.kind == EntryKind::SchoolDay && !e.dayType.isEmpty());
    if (!namesDayType || e.dayType.isEmpty() || commands().dayTypes().contains(e.dayType, Qt::CaseInsensitive))
        return true;
    return m_dialogs.askYesNo(QStringLiteral("\"%1\" adında bir gün türü yok: o günler, gün türü oluşturulana "
                                             "dek haftanın günü saatlerini çalar. Gün türlerini \"Gün "
                                             "türleri\" düğmesiyle oluşturabilirsiniz.\n\nKayıt yine de "
                                             "kaydedilsin mi?")
                                  .arg(e.dayType));
}

QString CalendarActions::untilSaved(CalendarEntry entry,
                                    const std::function<QString(const CalendarEntry&)>& save)
{
    while (m_dialogs.editCalendarEntry(entry, commands().dayTypes())) {
        if (entry.summary.trimmed().isEmpty()) {
            refused(QStringLiteral("Kaydın adını yazınız."));
            continue;
        }
        if (!dayTypeAccepted(entry))
            continue;
        if (!mayReplaceBrokenFile())
            return QString();
        const QString why = save(entry);
        if (why.isEmpty())
            return entry.uid;
        refused(why);
    }
    return QString();
}

QString CalendarActions::addEntry(NewEntry kind, const QDate& day)
{
    return untilSaved(newEntry(kind, day, commands().dayTypes()),
                      [this](const CalendarEntry& e) { return commands().addEntry(e); });
}

QString CalendarActions::editEntry(const QString& uid)
{
    const CalendarEntry* e = findEntry(commands().schoolEntries(), uid);
    if (!e)
        return QString();
    return untilSaved(*e, [this](const CalendarEntry& changed) { return commands().updateEntry(changed); });
}

bool CalendarActions::removeEntry(const QString& uid)
{
    const CalendarEntry* e = findEntry(commands().schoolEntries(), uid);
    if (!e || !m_dialogs.askYesNo(QStringLiteral("\"%1\" kaydı takvimden silinsin mi?").arg(e->summary)) ||
        !mayReplaceBrokenFile())
        return false;
    const QString why = commands().removeEntry(uid);
    if (!why.isEmpty())
        refused(why);
    return why.isEmpty();
}

bool CalendarActions::enterSchoolYear(int year)
{
    SchoolYearDates dates =
        SchoolYearDates::entered(year, commands().schoolEntries()).value_or(SchoolYearDates::typical(year));
    while (m_dialogs.enterSchoolYear(dates)) {
        if (!mayReplaceBrokenFile())
            return false;
        const QString why = commands().setSchoolYear(dates);
        if (why.isEmpty())
            return true;
        refused(why);
    }
    return false;
}

void CalendarActions::editDayTypes()
{
    m_dialogs.editDayTypes(commands());
}

bool CalendarActions::importFile()
{
    const std::optional<QString> path = m_dialogs.chooseFile(IcsFilter);
    if (!path || !mayReplaceBrokenFile())
        return false;
    const CalendarCommands::ImportResult result = commands().importFile(*path);
    if (!result.error.isEmpty()) {
        refused(result.error);
        return false;
    }
    m_dialogs.tell(importReport(result), QString());
    return true;
}

void CalendarActions::exportFile(bool withNational)
{
    const std::optional<QString> path = m_dialogs.chooseSaveFile(
        IcsFilter, withNational ? QStringLiteral("okul-ve-resmi-takvim.ics") : QStringLiteral("okul-takvimi.ics"));
    if (!path)
        return;
    if (const QString why = commands().exportFile(*path, withNational); !why.isEmpty())
        refused(why);
}

bool CalendarActions::setNationalApplies(bool applies)
{
    if (const QString why = commands().setNationalApplies(applies); !why.isEmpty())
        refused(why);
    return commands().nationalApplies();
}
