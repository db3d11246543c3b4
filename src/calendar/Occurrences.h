#pragma once

#include "calendar/CalendarEntry.h"

#include <QList>

// One time an entry happens: its start, and its end (exclusive), in local wall-clock time.
struct Occurrence
{
    int entry = 0; // the entry's place in the list it was expanded from
    QDateTime start;
    QDateTime end;
};

// The occurrences of `entry` that touch [from, to), in order, through libical's own expansion of its
// RRULE, RDATE and EXDATE. Each lasts as long as the entry's first one. A timed entry without an end
// (a ceremony) touches the range when it starts within it. None for an entry that is not usable.
QList<Occurrence> occurrencesOf(const CalendarEntry& entry, int index, const QDateTime& from,
                                const QDateTime& to);
