// "melodi.txt" on any bytes: 27 entries at most, the volume text of line 9 converts without fault,
// and the entries saved (as "Melodi.txt") read back unchanged from the one file that remains.
#include "fuzz/FuzzFolder.h"
#include "schedule/SettingsFiles.h"

using namespace SettingsFiles;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzFolder& f = FuzzFolder::instance();
    f.clear(QString());
    // The input's first bit picks the spelling, so the save must also take over "melodi.txt".
    const bool lower = size > 0 && (data[0] & 1);
    f.write(lower ? QStringLiteral("melodi.txt") : QStringLiteral("Melodi.txt"), data, size);

    const Melodi m = readMelodi(f.folder());
    fuzzCheck(!m.lines[8] || m.volumeText, "line 9 has a value but no volume text");
    if (m.volumeText)
        leadingNumber(*m.volumeText);

    std::array<int, MelodiLines> values{};
    for (int i = 0; i < MelodiLines; ++i)
        values[i] = m.lines[i].value_or(0);
    fuzzCheck(writeMelodi(f.folder(), values), "cannot save");
    fuzzCheck(f.entries(QString()) == QStringList{QStringLiteral("Melodi.txt")},
              "the save left another spelling", f.entries(QString()).join(' '));
    const Melodi again = readMelodi(f.folder());
    for (int i = 0; i < MelodiLines; ++i)
        fuzzCheck(again.lines[i] == values[i], "an entry reads back changed", QString::number(i + 1));
    return 0;
}
