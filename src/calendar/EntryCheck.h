#pragma once

#include "calendar/CalendarEntry.h"

// Why an entry cannot decide anything, in words for the operator; empty when it can. The reader marks
// each entry it reads with this, and the window refuses an entry it would mark.
QString entryProblem(const CalendarEntry& entry);
