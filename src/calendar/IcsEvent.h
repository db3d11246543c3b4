#pragma once

#include "calendar/CalendarEntry.h"

#include <libical/ical.h>

#include <memory>

// The one place that turns VEVENTs into entries and back, through libical's C API. Only the calendar
// folder includes this header: nothing above it needs to know libical.
namespace IcsEvent {

struct ComponentFree
{
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

// libical reports a bad value by setting an error, and can be built to abort on one; a school's file
// must never end the program, so errors are made plain return values before any parsing.
void quietErrors();

// The component as text, as libical writes it.
QByteArray text(icalcomponent* component);
// A VEVENT parsed from its text; null when the text is none.
Component parseEvent(const QByteArray& text);

// The entry a VEVENT holds. `defaultSource` is what an entry without X-VEZOZIL-KAYNAK comes from.
CalendarEntry fromComponent(icalcomponent* event, EntrySource defaultSource, bool national);

// The VEVENT that saves `entry`: its raw VEVENT when the entry is unchanged since it was read, else
// that VEVENT (or a new one) with every property this program manages written from the entry's fields.
Component toComponent(const CalendarEntry& entry);

// Local wall-clock time of a libical time: a floating time or a date as written, a time with a zone or
// in UTC converted to this computer's zone.
QDateTime localTime(const icaltimetype& t);

} // namespace IcsEvent
