// Writes the sounds that ship with the program into a program folder:
//   melodiler/1.wav … 9.wav, anons1.wav, anons2.wav
//   marslar/istiklal.wav, saygi.wav, saygi2.wav, saygidurusu.wav, siren.wav
// The spoken parts come from espeak-ng recordings made beforehand (see cmake/Sounds.cmake).

#include "Ceremony.h"
#include "Melodies.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>

namespace {

bool write(const std::filesystem::path& path, const Signal& signal)
{
    if (writeWav(path.string(), signal))
        return true;
    std::fprintf(stderr, "vezozil_soundgen: cannot write %s\n", path.string().c_str());
    return false;
}

bool read(const std::filesystem::path& path, Signal& signal)
{
    std::string error;
    if (readWav(path.string(), signal, error))
        return true;
    std::fprintf(stderr, "vezozil_soundgen: %s: %s\n", path.string().c_str(), error.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: vezozil_soundgen PROGRAM_FOLDER SPEECH_FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    const std::filesystem::path speechFolder(argv[2]);
    const std::filesystem::path melodies = folder / "melodiler";
    const std::filesystem::path ceremony = folder / "marslar";
    std::error_code error;
    std::filesystem::create_directories(melodies, error);
    std::filesystem::create_directories(ceremony, error);

    Signal studentsSpeech;
    Signal teachersSpeech;
    Signal placeholderSpeech;
    if (!read(speechFolder / "anons1.wav", studentsSpeech) ||
        !read(speechFolder / "anons2.wav", teachersSpeech) ||
        !read(speechFolder / "yer-tutucu.wav", placeholderSpeech))
        return 1;

    bool ok = true;
    for (int n = 1; n <= kMelodyCount; ++n)
        ok = write(melodies / (std::to_string(n) + ".wav"), melody(n)) && ok;
    ok = write(melodies / "anons1.wav", announcement(studentsSpeech)) && ok;
    ok = write(melodies / "anons2.wav", announcement(teachersSpeech)) && ok;

    const Signal anthem = placeholder(placeholderSpeech);
    ok = write(ceremony / "istiklal.wav", anthem) && ok;
    for (const auto& [name, minutes] : {std::pair{"saygi.wav", 1}, std::pair{"saygi2.wav", 2}}) {
        // The placeholder's own tone closes the silence, as the anthem's first bars would.
        Signal s = signalTone(3.0);
        append(s, silence(kCeremonyRate, 60.0 * minutes));
        append(s, anthem);
        ok = write(ceremony / name, s) && ok;
    }
    ok = write(ceremony / "saygidurusu.wav", momentOfSilence(60.0)) && ok;
    ok = write(ceremony / "siren.wav", siren()) && ok;
    return ok ? 0 : 1;
}
