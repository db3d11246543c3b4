#include "calendar/CalendarFile.h"

#include "calendar/IcsEvent.h"
#include "common/Log.h"
#include "schedule/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace CalendarFile {

namespace {
using IcsEvent::Component;

ReadResult broken(const QString& problem)
{
    ReadResult r;
    r.status = Status::Broken;
    r.problem = problem;
    return r;
}

// The text of the first line libical could not read, as it marked it.
QString firstError(icalcomponent* c)
{
    if (icalproperty* p = icalcomponent_get_first_property(c, ICAL_XLICERROR_PROPERTY))
        return QString::fromUtf8(icalproperty_get_xlicerror(p));
    for (icalcomponent* sub = icalcomponent_get_first_component(c, ICAL_ANY_COMPONENT); sub;
         sub = icalcomponent_get_next_component(c, ICAL_ANY_COMPONENT)) {
        if (const QString e = firstError(sub); !e.isEmpty())
            return e;
    }
    return QString();
}

// The calendars of a parsed file: the root itself, or each VCALENDAR of a stream of several.
QList<icalcomponent*> calendarsOf(icalcomponent* root)
{
    if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT)
        return {root};
    QList<icalcomponent*> found;
    if (icalcomponent_isa(root) == ICAL_XROOT_COMPONENT) {
        for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT); c;
             c = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT))
            found << c;
    }
    return found;
}

// Takes the VEVENTs out of `calendar` into entries; what stays is the calendar kept for the save.
void takeEvents(icalcomponent* calendar, EntrySource defaultSource, bool national, CalendarDocument& doc)
{
    QList<icalcomponent*> events;
    for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT))
        events << e;
    for (icalcomponent* e : events) {
        doc.entries << IcsEvent::fromComponent(e, defaultSource, national);
        // An event libical does not write back as it reads it (a DTSTAMP without its time, a line
        // break in an X- value) is saved from its fields alone, or the saved file would not read again.
        const IcsEvent::Component again = IcsEvent::parseEvent(doc.entries.last().raw);
        if (!again || IcsEvent::text(again.get()) != doc.entries.last().raw ||
            icalcomponent_count_errors(again.get()) > 0)
            doc.entries.last().raw.clear();
        icalcomponent_remove_component(calendar, e);
        icalcomponent_free(e);
    }
}

// libical reads some values it cannot write back as it read them (a DTSTAMP without its time comes
// back as a date, which it then refuses): what is saved must read again.
bool readsBack(icalcomponent* component, icalcomponent_kind kind)
{
    const Component back(icalparser_parse_string(IcsEvent::text(component).constData()));
    return back && icalcomponent_isa(back.get()) == kind && icalcomponent_count_errors(back.get()) == 0;
}

// The VEVENT that saves an entry; with only this program's fields when what another program wrote
// would not read again, so one odd property never makes the whole calendar unreadable.
Component savable(const CalendarEntry& entry)
{
    Component event = IcsEvent::toComponent(entry);
    if (entry.raw.isEmpty() || readsBack(event.get(), ICAL_VEVENT_COMPONENT))
        return event;
    qCWarning(lcFiles).noquote() << "calendar entry" << entry.summary
                                 << ": properties of another program that would not read again are left out";
    CalendarEntry bare = entry;
    bare.raw.clear();
    return IcsEvent::toComponent(bare);
}

Component newCalendar()
{
    Component cal(icalcomponent_new_vcalendar());
    icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(cal.get(), icalproperty_new_prodid("-//Vezo Zil//Takvim//TR"));
    return cal;
}
} // namespace

ReadResult parse(const QByteArray& input, EntrySource defaultSource, bool national)
{
    QByteArray bytes = input;
    if (bytes.startsWith("\xEF\xBB\xBF")) // a byte-order mark, as some editors on Windows write
        bytes.remove(0, 3);
    if (bytes.contains('\0'))
        return broken(QStringLiteral("dosyada metin olmayan baytlar var"));
    QStringDecoder utf8(QStringDecoder::Utf8);
    (void)QString(utf8.decode(bytes));
    if (utf8.hasError())
        return broken(QStringLiteral("dosya UTF-8 metin değil"));

    IcsEvent::quietErrors();
    Component root(icalparser_parse_string(bytes.constData()));
    const QList<icalcomponent*> calendars = root ? calendarsOf(root.get()) : QList<icalcomponent*>();
    if (calendars.isEmpty())
        return broken(QStringLiteral("dosyada iCalendar takvimi bulunamadı"));
    if (icalcomponent_count_errors(root.get()) > 0)
        return broken(QStringLiteral("libical bir satırı okuyamadı: %1").arg(firstError(root.get())));

    ReadResult result;
    result.status = Status::Read;
    for (icalcomponent* calendar : calendars)
        takeEvents(calendar, defaultSource, national, result.document);
    result.document.calendar = IcsEvent::text(calendars.first());
    return result;
}

ReadResult read(const QString& path, EntrySource defaultSource, bool national)
{
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return {};
    QFile file;
    if (!TextFile::openRegular(file, path))
        return broken(QStringLiteral("okunabilen bir dosya değil"));
    if (file.size() > MaxBytes)
        return broken(QStringLiteral("dosya çok büyük (%1 bayt)").arg(file.size()));
    return parse(file.read(MaxBytes + 1), defaultSource, national);
}

QByteArray serialise(const CalendarDocument& document)
{
    IcsEvent::quietErrors();
    Component cal;
    if (!document.calendar.isEmpty()) {
        cal.reset(icalparser_parse_string(document.calendar.constData()));
        if (cal && !readsBack(cal.get(), ICAL_VCALENDAR_COMPONENT))
            cal.reset();
    }
    if (!cal)
        cal = newCalendar();
    for (const CalendarEntry& e : document.entries)
        icalcomponent_add_component(cal.get(), savable(e).release());
    return IcsEvent::text(cal.get());
}

bool write(const QString& path, const CalendarDocument& document, QString* error)
{
    auto fail = [&](const QString& why) {
        qCWarning(lcFiles).noquote() << "cannot write" << path << ":" << why;
        if (error)
            *error = why;
        return false;
    };
    if (QFileInfo::exists(path) && !TextFile::isRegularFile(path))
        return fail(QStringLiteral("%1 bir dosya değil").arg(QFileInfo(path).fileName()));
    const QByteArray bytes = serialise(document);
    QDir().mkpath(QFileInfo(path).absolutePath());
    // A power cut mid-save must leave the old calendar whole: the new one replaces it only when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    // flush() says whether the bytes reached the disk; commit() alone would replace the old file anyway.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(why);
    }
    return true;
}

QString keepBroken(const QString& path)
{
    QString copy = path + BrokenSuffix;
    for (int n = 2; QFileInfo::exists(copy); ++n)
        copy = path + BrokenSuffix + QLatin1Char('.') + QString::number(n);
    if (!QFile::copy(path, copy)) {
        qCWarning(lcFiles) << "cannot keep the broken" << path << "as" << copy;
        return QString();
    }
    qCInfo(lcFiles) << "the broken" << path << "is kept as" << copy;
    return copy;
}

} // namespace CalendarFile
