// "kapat.txt" on any bytes: each shutdown time holds at most five characters, and the times saved
// read back unchanged.
#include "fuzz/FuzzFolder.h"
#include "schedule/SettingsFiles.h"

using namespace SettingsFiles;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzFolder& f = FuzzFolder::instance();
    f.write(QStringLiteral("kapat.txt"), data, size);

    const Kapat k = readKapat(f.folder());
    for (const std::optional<QString>& time : {k.weekday, k.weekend})
        fuzzCheck(!time || time->size() <= 5, "a shutdown time longer than a time", time.value_or(""));
    if (!k.weekday || !k.weekend || !storable(*k.weekday) || !storable(*k.weekend))
        return 0;

    fuzzCheck(writeKapat(f.folder(), *k.weekday, *k.weekend), "cannot save");
    const Kapat again = readKapat(f.folder());
    fuzzCheck(again.weekday == timeAfterSave(*k.weekday) && again.weekend == timeAfterSave(*k.weekend),
              "a time reads back changed", *k.weekday + ' ' + *k.weekend);
    return 0;
}
