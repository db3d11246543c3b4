// "ayarlar.ini" on any bytes: every value is within its range, and the relay read, saved by QSettings,
// reads back unchanged, so the reader and the writer agree on every name a device can have.
#include "fuzz/FuzzFolder.h"
#include "schedule/AppSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzFolder& f = FuzzFolder::instance();
    f.write(QStringLiteral("ayarlar.ini"), data, size);

    const AppSettings s = AppSettings::read(f.folder());
    fuzzCheck(s.warmUpSeconds >= 0 && s.warmUpSeconds <= AppSettings::MaxWarmUpSeconds,
              "warm-up out of range");
    fuzzCheck(s.relay.channel >= 0 && s.relay.channel <= RelaySettings::MaxGpioLine, "channel out of range");
    // Characters no one types into a device's name are left to QSettings' own escapes.
    for (const QChar c : s.relay.device) {
        if (!c.isPrint() || c.isSurrogate())
            return 0;
    }
    f.write(QStringLiteral("ayarlar.ini"), QByteArray());
    fuzzCheck(AppSettings::writeRelay(f.folder(), s.relay), "cannot save");
    fuzzCheck(AppSettings::read(f.folder()).relay == s.relay, "the relay reads back changed", s.relay.device);
    return 0;
}
