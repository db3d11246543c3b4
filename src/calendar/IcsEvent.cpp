#include "calendar/IcsEvent.h"

#include "calendar/EntryCheck.h"

#include <array>
#include <mutex>

namespace IcsEvent {

namespace {
const char* const DayTypeProperty = "X-VEZOZIL-GUN-TURU";
const char* const SoundProperty = "X-VEZOZIL-SES";
const char* const SourceProperty = "X-VEZOZIL-KAYNAK";

QString fromUtf8(const char* s)
{
    return s ? QString::fromUtf8(s) : QString();
}

icalproperty* xProperty(icalcomponent* event, const char* name)
{
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_X_PROPERTY)) {
        if (const char* n = icalproperty_get_x_name(p); n && qstricmp(n, name) == 0)
            return p;
    }
    return nullptr;
}

// A value of one line: libical writes X- values as they are, so a line break in one would start a
// property of its own when the file is read again.
QString oneLine(QString value)
{
    for (QChar& c : value) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    return value.trimmed();
}

// A text as libical writes it back: it keeps line breaks (escaped) but drops other control characters.
QString plainText(const char* s, bool lineBreaks)
{
    QString value = fromUtf8(s);
    value.removeIf([lineBreaks](QChar c) {
        return c.category() == QChar::Other_Control && !(lineBreaks && c == QLatin1Char('\n'));
    });
    return value;
}

QString xValue(icalcomponent* event, const char* name)
{
    icalproperty* p = xProperty(event, name);
    return p ? oneLine(fromUtf8(icalproperty_get_x(p))) : QString();
}

// The first of our categories the event carries; another program may list several in one property.
std::optional<EntryKind> categoryKind(icalcomponent* event)
{
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_CATEGORIES_PROPERTY)) {
        for (const QString& value : fromUtf8(icalproperty_get_categories(p)).split(QLatin1Char(','))) {
            if (const auto kind = CalendarNames::kindOfCategory(value))
                return kind;
        }
    }
    return std::nullopt;
}

// DTEND, or DTSTART and DURATION; null when the event has neither.
icaltimetype endOf(icalcomponent* event)
{
    if (!icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY) &&
        !icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY))
        return icaltime_null_time();
    return icalcomponent_get_dtend(event);
}

void readTimes(icalcomponent* event, CalendarEntry& e)
{
    const icaltimetype start = icalcomponent_get_dtstart(event);
    e.start = localTime(start);
    e.allDay = start.is_date && e.start.isValid();
    const icaltimetype end = endOf(event);
    if (icaltime_is_null_time(end)) {
        // No end: an all-day entry lasts its one day, a timed one is a moment.
        e.end = e.allDay ? e.start.addDays(1) : e.start;
        return;
    }
    e.end = localTime(end);
    // An all-day entry that ends at a time still takes in the day that time falls on.
    if (e.allDay && e.end.time() != QTime(0, 0))
        e.end = QDateTime(e.end.date().addDays(1), QTime(0, 0));
}

void readRecurrence(icalcomponent* event, CalendarEntry& e)
{
    if (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY)) {
        struct icalrecurrencetype recur = icalproperty_get_rrule(p);
        char* text = icalrecurrencetype_as_string_r(&recur);
        e.rrule = fromUtf8(text);
        icalmemory_free_buffer(text);
    }
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY))
        e.exceptions << localTime(icalproperty_get_exdate(p)).date();
}

icaltimetype toIcal(const QDateTime& t, bool date)
{
    icaltimetype r = date ? icaltime_null_date() : icaltime_null_time();
    r.year = t.date().year();
    r.month = t.date().month();
    r.day = t.date().day();
    if (!date) {
        r.hour = t.time().hour();
        r.minute = t.time().minute();
        r.second = t.time().second();
    }
    return r;
}

void removeAll(icalcomponent* event, icalproperty_kind kind, bool (*managed)(icalproperty*))
{
    QList<icalproperty*> found;
    for (icalproperty* p = icalcomponent_get_first_property(event, kind); p;
         p = icalcomponent_get_next_property(event, kind)) {
        if (!managed || managed(p))
            found << p;
    }
    for (icalproperty* p : found) {
        icalcomponent_remove_property(event, p);
        icalproperty_free(p);
    }
}

bool isOurX(icalproperty* p)
{
    const char* name = icalproperty_get_x_name(p);
    return name && (qstricmp(name, DayTypeProperty) == 0 || qstricmp(name, SoundProperty) == 0 ||
                    qstricmp(name, SourceProperty) == 0);
}

bool isOurCategory(icalproperty* p)
{
    return CalendarNames::kindOfCategory(fromUtf8(icalproperty_get_categories(p))).has_value();
}

// Everything this program writes goes; the properties of other programs stay.
void removeManaged(icalcomponent* event)
{
    static constexpr std::array<icalproperty_kind, 8> kinds{
        ICAL_UID_PROPERTY,   ICAL_DTSTAMP_PROPERTY,  ICAL_SUMMARY_PROPERTY, ICAL_DTSTART_PROPERTY,
        ICAL_DTEND_PROPERTY, ICAL_DURATION_PROPERTY, ICAL_RRULE_PROPERTY,   ICAL_EXDATE_PROPERTY};
    for (const icalproperty_kind kind : kinds)
        removeAll(event, kind, nullptr);
    removeAll(event, ICAL_X_PROPERTY, isOurX);
    removeAll(event, ICAL_CATEGORIES_PROPERTY, isOurCategory);
}

void addX(icalcomponent* event, const char* name, const QString& value)
{
    if (oneLine(value).isEmpty())
        return;
    icalproperty* p = icalproperty_new_x(oneLine(value).toUtf8().constData());
    icalproperty_set_x_name(p, name);
    icalcomponent_add_property(event, p);
}

void writeFields(icalcomponent* event, const CalendarEntry& e)
{
    const QString uid = e.uid.isEmpty() ? CalendarEntry::newUid() : e.uid;
    icalcomponent_add_property(event, icalproperty_new_uid(uid.toUtf8().constData()));
    icalcomponent_add_property(
        event, icalproperty_new_dtstamp(icaltime_current_time_with_zone(icaltimezone_get_utc_timezone())));
    // An empty value is one libical refuses when it reads the file again.
    if (!e.summary.isEmpty())
        icalcomponent_add_property(event, icalproperty_new_summary(e.summary.toUtf8().constData()));
    if (e.start.isValid())
        icalcomponent_add_property(event, icalproperty_new_dtstart(toIcal(e.start, e.allDay)));
    // A moment (a ceremony) has no end; any other end is kept as it is, even one before the start.
    if (e.end.isValid() && (e.allDay || e.end != e.start))
        icalcomponent_add_property(event, icalproperty_new_dtend(toIcal(e.end, e.allDay)));
    if (e.kind != EntryKind::Other)
        icalcomponent_add_property(
            event, icalproperty_new_categories(CalendarNames::category(e.kind).toUtf8().constData()));
    // Written whenever they hold something, whatever the kind: a save keeps what the entry says.
    addX(event, DayTypeProperty, e.dayType);
    addX(event, SoundProperty, e.sound);
    if (e.source != EntrySource::School)
        addX(event, SourceProperty, CalendarNames::sourceMark(e.source));
    if (!e.rrule.isEmpty()) {
        const struct icalrecurrencetype recur = icalrecurrencetype_from_string(e.rrule.toUtf8().constData());
        if (recur.freq != ICAL_NO_RECURRENCE)
            icalcomponent_add_property(event, icalproperty_new_rrule(recur));
    }
    for (const QDate& d : e.exceptions)
        icalcomponent_add_property(event,
                                   icalproperty_new_exdate(toIcal(QDateTime(d, e.start.time()), e.allDay)));
}
} // namespace

void quietErrors()
{
    static std::once_flag once;
    std::call_once(once, [] { icalerror_set_errors_are_fatal(0); });
}

QByteArray text(icalcomponent* component)
{
    char* s = icalcomponent_as_ical_string_r(component);
    const QByteArray bytes(s ? s : "");
    icalmemory_free_buffer(s);
    return bytes;
}

Component parseEvent(const QByteArray& text)
{
    quietErrors();
    Component c(icalparser_parse_string(text.constData()));
    if (c && icalcomponent_isa(c.get()) != ICAL_VEVENT_COMPONENT)
        c.reset();
    return c;
}

QDateTime localTime(const icaltimetype& t)
{
    if (icaltime_is_null_time(t) || !icaltime_is_valid_time(t))
        return {};
    const QDate date(t.year, t.month, t.day);
    if (t.is_date)
        return QDateTime(date, QTime(0, 0));
    if (t.zone) // UTC, or a zone libical knows: the instant, in this computer's zone
        return QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(t, t.zone));
    return QDateTime(date, QTime(t.hour, t.minute, std::min(t.second, 59)));
}

CalendarEntry fromComponent(icalcomponent* event, EntrySource defaultSource, bool national)
{
    CalendarEntry e;
    e.raw = text(event);
    e.national = national;
    e.uid = plainText(icalcomponent_get_uid(event), false);
    // The window finds an entry by its UID; one without is given one, which the next save writes.
    if (e.uid.isEmpty())
        e.uid = CalendarEntry::newUid();
    e.summary = plainText(icalcomponent_get_summary(event), true);
    readTimes(event, e);
    const std::optional<EntryKind> kind = categoryKind(event);
    // An all-day entry of another calendar, with none of our categories, is a day off.
    e.kind = kind.value_or(e.allDay ? EntryKind::Holiday : EntryKind::Other);
    e.dayType = xValue(event, DayTypeProperty);
    e.sound = xValue(event, SoundProperty);
    e.source = CalendarNames::sourceOfMark(xValue(event, SourceProperty)).value_or(defaultSource);
    readRecurrence(event, e);
    e.problem = entryProblem(e);
    return e;
}

Component toComponent(const CalendarEntry& entry)
{
    Component event;
    if (!entry.raw.isEmpty()) {
        event = parseEvent(entry.raw);
        const EntrySource defaultSource = entry.national ? EntrySource::Official : EntrySource::School;
        // Unchanged: saved exactly as read, so a save never rewrites what it did not touch.
        if (event && fromComponent(event.get(), defaultSource, entry.national).sameAs(entry))
            return event;
    }
    if (!event)
        event.reset(icalcomponent_new_vevent());
    removeManaged(event.get());
    writeFields(event.get(), entry);
    return event;
}

} // namespace IcsEvent
