// "muzikler.txt" on any bytes: no more entries than the list holds, none longer than a line, and a
// list saved reads back unchanged.
#include "fuzz/FuzzFolder.h"
#include "schedule/SettingsFiles.h"
#include "schedule/TextFile.h"

#include <algorithm>

using namespace SettingsFiles;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzFolder& f = FuzzFolder::instance();
    f.write(QStringLiteral("muzikler.txt"), data, size);

    const QStringList entries = readMuzikler(f.folder());
    fuzzCheck(entries.size() <= MusicListLimit, "more entries than the list holds");
    for (const QString& e : entries)
        fuzzCheck(e.size() <= TextFile::MaxLineBytes, "an entry longer than a line");
    const bool storableList = std::all_of(entries.begin(), entries.end(),
                                          [](const QString& e) { return storable(e) && e.size() < 1000; });
    if (!storableList)
        return 0;

    fuzzCheck(writeMuzikler(f.folder(), entries), "cannot save");
    fuzzCheck(readMuzikler(f.folder()) == entries, "the music list reads back changed");
    return 0;
}
