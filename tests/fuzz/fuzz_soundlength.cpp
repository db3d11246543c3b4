// The sound-length reader on any bytes: a WAV header walked chunk by chunk, or MPEG audio counted by
// the decoder. An operator puts any file into the melody folder, so it must give a length that can be
// waited for, or none, and never read outside the file.
#include "fuzz/FuzzFolder.h"
#include "sound/SoundLength.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzFolder& f = FuzzFolder::instance();
    f.write(QStringLiteral("melodiler/1.wav"), data, size);

    const std::optional<double> seconds = soundLengthSeconds(f.filePath(QStringLiteral("melodiler/1.wav")));
    if (seconds)
        fuzzCheck(std::isfinite(*seconds) && *seconds > 0, "a length that cannot be waited for",
                  QString::number(*seconds));
    return 0;
}
