#pragma once

#include <QDateTime>

class Controller;

// How many seconds of the wall clock after `now` the tick may first act on its own, sounds aside (1 or
// more): a bell minute of
// the grid and the look-ahead and warm-up seconds before it, a shutdown time, a ceremony, the start of
// a timed holiday, the next minute while the once-a-minute guard holds, the change of day. A tick that
// changed nothing changes nothing in any second before then either, as long as no sound ends (the
// caller knows its players): a rehearsal passes those seconds without ticking. 1 while a warm-up holds
// the amplifier, whose release depends on every tick. Counted on the wall clock: across a change of the
// clock's offset (summer time) the caller must not trust it.
int secondsUntilTickDue(const Controller& c, const QDateTime& now);
