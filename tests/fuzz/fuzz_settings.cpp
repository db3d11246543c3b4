// "ayarlar.ini" on any bytes: nothing crashes or hangs, and the relay read, saved by QSettings, reads
// back unchanged, so the reader and the writer agree on every name a device can have.
#include "fuzz/FuzzFolder.h"
#include "schedule/AppSettings.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzFolder& f = FuzzFolder::instance();
    f.write(QStringLiteral("ayarlar.ini"), data, size);

    const AppSettings s = AppSettings::read(f.folder());
    // Characters no one types into a device's name are left to QSettings' own escapes.
    if (std::any_of(s.relay.device.begin(), s.relay.device.end(), [](QChar c) { return !c.isPrint(); }))
        return 0;
    f.write(QStringLiteral("ayarlar.ini"), QByteArray());
    fuzzCheck(AppSettings::writeRelay(f.folder(), s.relay), "cannot save");
    fuzzCheck(AppSettings::read(f.folder()).relay == s.relay, "the relay reads back changed", s.relay.device);
    return 0;
}
