// The day-file reader on any bytes: it fills only the slots its lines reach, each with at most the
// five characters of a time, and a timetable read this way is saved and read back unchanged.
#include "fuzz/FuzzFolder.h"
#include "schedule/DayFile.h"

namespace {
const QString Monday = QStringLiteral("Pazartesi");
const QString Tuesday = QStringLiteral("Salı");
const QString Untouched = QStringLiteral("untouched");
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzFolder& f = FuzzFolder::instance();
    f.write(QStringLiteral("saatler/Pazartesi.txt"), data, size);

    DaySchedule slots;
    slots.fill(Untouched);
    const int reached = readDayFile(f.folder(), Monday, slots);
    fuzzCheck(reached >= 0 && reached <= Slots::Count, "lines reached out of range");
    for (int i = 0; i < Slots::Count; ++i) {
        if (i < reached)
            fuzzCheck(slots[i].size() <= 5, "a slot holds more than a time", slots[i]);
        else
            fuzzCheck(slots[i] == Untouched, "a slot past the file's end changed", slots[i]);
    }

    for (int i = 0; i < Slots::Count; ++i) {
        if (i >= reached || !storable(slots[i]))
            slots[i] = QStringLiteral("XX:XX");
    }
    fuzzCheck(writeDayFile(f.folder(), Tuesday, slots), "the day file cannot be saved");
    DaySchedule again;
    fuzzCheck(readDayFile(f.folder(), Tuesday, again) == Slots::Count, "a saved day file is short");
    for (int i = 0; i < Slots::Count; ++i)
        fuzzCheck(again[i] == timeAfterSave(slots[i]), "a saved slot reads back changed",
                  slots[i] + " -> " + again[i]);
    return 0;
}
