// "uygulama.txt" on any bytes: the break program's path and image name come back within the line
// bound, and values read this way are saved and read back unchanged.
#include "fuzz/FuzzFolder.h"
#include "schedule/SettingsFiles.h"
#include "schedule/TextFile.h"

using namespace SettingsFiles;

namespace {
bool roundTrips(const std::optional<QString>& value)
{
    return value && storable(*value) && value->size() < 1000;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzFolder& f = FuzzFolder::instance();
    f.write(QStringLiteral("uygulama.txt"), data, size);

    const Uygulama u = readUygulama(f.folder());
    for (const std::optional<QString>& text : {u.programPath, u.imageName})
        fuzzCheck(!text || text->size() <= TextFile::MaxLineBytes, "a value longer than a line");
    if (!roundTrips(u.programPath) || !roundTrips(u.imageName) || !u.check33)
        return 0;

    fuzzCheck(writeUygulama(f.folder(), *u.programPath, *u.imageName, *u.check33), "cannot save");
    const Uygulama again = readUygulama(f.folder());
    fuzzCheck(again.programPath == u.programPath, "the program path reads back changed", *u.programPath);
    fuzzCheck(again.imageName == u.imageName, "the image name reads back changed", *u.imageName);
    fuzzCheck(again.check33 == u.check33, "the check box reads back changed");
    return 0;
}
