#include "calendar/Occurrences.h"

#include "calendar/IcsEvent.h"

#include <algorithm>

namespace {
struct Expansion
{
    bool zoned = false;
    QList<QDateTime> starts;
};

icaltimetype floating(const QDateTime& t)
{
    icaltimetype r = icaltime_null_time();
    r.year = t.date().year();
    r.month = t.date().month();
    r.day = t.date().day();
    r.hour = t.time().hour();
    r.minute = t.time().minute();
    r.second = t.time().second();
    return r;
}

void collect(icalcomponent*, struct icaltime_span* span, void* data)
{
    auto* x = static_cast<Expansion*>(data);
    // libical gives a floating time or a date as if it were UTC, and a zoned time as the real instant.
    const QDateTime utc = QDateTime::fromSecsSinceEpoch(span->start, Qt::UTC);
    x->starts << (x->zoned ? utc.toLocalTime() : QDateTime(utc.date(), utc.time()));
}

bool touches(const QDateTime& start, const QDateTime& end, const QDateTime& from, const QDateTime& to)
{
    if (start >= to)
        return false;
    return end > from || (end == start && start >= from);
}
} // namespace

QList<Occurrence> occurrencesOf(const CalendarEntry& entry, int index, const QDateTime& from,
                                const QDateTime& to)
{
    QList<Occurrence> found;
    if (!entry.problem.isEmpty() || !entry.start.isValid())
        return found;
    const IcsEvent::Component event = IcsEvent::toComponent(entry);
    Expansion x;
    x.zoned = icalcomponent_get_dtstart(event.get()).zone != nullptr;
    // Two days on each side: libical compares in its own terms, the exact test is made below.
    icalcomponent_foreach_recurrence(event.get(), floating(from.addDays(-2)), floating(to.addDays(2)),
                                     collect, &x);
    std::sort(x.starts.begin(), x.starts.end()); // several rules come one after another
    const qint64 days = entry.start.date().daysTo(entry.end.date());
    const qint64 seconds = entry.start.secsTo(entry.end);
    for (const QDateTime& start : std::as_const(x.starts)) {
        const QDateTime end =
            entry.allDay ? QDateTime(start.date().addDays(days), QTime(0, 0)) : start.addSecs(seconds);
        const bool repeated = !found.isEmpty() && found.last().start == start;
        if (!repeated && touches(start, end, from, to))
            found << Occurrence{index, start, end};
    }
    return found;
}
