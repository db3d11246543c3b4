// "takvim.ics" on any bytes: libical's reader either refuses the file or gives entries that decide
// every day of a year without a fault or a hang, and a calendar read this way is saved and read back
// with the same entries.
#include "calendar/CalendarFile.h"
#include "calendar/SchoolCalendar.h"
#include "fuzz/FuzzFolder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzFolder& f = FuzzFolder::instance();
    f.write(CalendarFile::FileName, data, size);

    const CalendarFile::ReadResult r = CalendarFile::read(f.filePath(CalendarFile::FileName));
    if (r.status != CalendarFile::Status::Read) {
        fuzzCheck(r.document.entries.isEmpty(), "a broken file gave entries");
        fuzzCheck(r.status == CalendarFile::Status::Missing || !r.problem.isEmpty(),
                  "broken without a reason");
        return 0;
    }
    SchoolCalendar calendar;
    calendar.setSchool(r.document.entries);
    // Every entry's first year, where libical expands its recurrence.
    for (const CalendarEntry& e : r.document.entries) {
        if (!e.usable())
            continue;
        for (QDate d = e.firstDay(); d.isValid() && d <= e.firstDay().addDays(40); d = d.addDays(1)) {
            const CalendarDay day = calendar.decide(d);
            fuzzCheck(day.bells || day.silences.isEmpty(), "a day without bells has timed holidays");
        }
    }

    const CalendarFile::ReadResult again = CalendarFile::parse(CalendarFile::serialise(r.document));
    fuzzCheck(again.status == CalendarFile::Status::Read, "a saved calendar cannot be read", again.problem);
    fuzzCheck(again.document.entries.size() == r.document.entries.size(), "a saved calendar lost entries");
    for (qsizetype i = 0; i < r.document.entries.size(); ++i)
        fuzzCheck(again.document.entries[i].sameAs(r.document.entries[i]), "an entry reads back changed",
                  QString::fromUtf8(again.document.entries[i].raw));
    return 0;
}
