// "port.txt" on any bytes: the reader gives a number or none, and a number saved reads back.
#include "fuzz/FuzzFolder.h"
#include "schedule/SettingsFiles.h"

using namespace SettingsFiles;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzFolder& f = FuzzFolder::instance();
    f.write(QStringLiteral("port.txt"), data, size);

    const std::optional<int> port = readPort(f.folder());
    if (!port)
        return 0;
    fuzzCheck(writePort(f.folder(), *port), "cannot save");
    fuzzCheck(readPort(f.folder()) == port, "the port reads back changed", QString::number(*port));
    return 0;
}
