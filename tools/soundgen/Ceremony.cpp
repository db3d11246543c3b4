#include "Ceremony.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Wind
{
    double seconds; // how long the motor drives toward the target
    double target;  // rotor speed, 0..1
    double tau;     // seconds: how fast the rotor follows (it has weight)
};

// The rotor speed at every sample: it approaches each target exponentially, as a heavy rotor does.
std::vector<double> rotorSpeed(const std::vector<Wind>& winds, double startSpeed, int rate)
{
    std::vector<double> speed;
    double s = startSpeed;
    for (const Wind& w : winds) {
        const double k = 1.0 - std::exp(-1.0 / (w.tau * rate));
        for (int n = 0; n < int(w.seconds * rate); ++n) {
            s += (w.target - s) * k;
            speed.push_back(s);
        }
    }
    return speed;
}

} // namespace

Signal siren()
{
    const std::vector<Wind> winds{{7.0, 1.0, 1.8},  {4.0, 0.45, 1.6}, {4.0, 1.0, 1.3},
                                  {4.0, 0.45, 1.6}, {4.0, 1.0, 1.3},  {7.0, 0.0, 1.8}};
    // The rotor is already turning when the file starts: an alarm wound up from rest would stay
    // inaudible for its first tenth of a second.
    const std::vector<double> speed = rotorSpeed(winds, 0.3, kCeremonyRate);
    Signal out = silence(kCeremonyRate, double(speed.size()) / kCeremonyRate);
    // Two rotors whose port counts differ by a minor third, each a buzzing, harmonic-rich tone.
    const double tops[2] = {620.0, 744.0};
    constexpr int kHarmonics = 10;
    double phase[2][kHarmonics] = {};
    for (std::size_t n = 0; n < speed.size(); ++n) {
        const double s = speed[n];
        const double loudness = std::min(1.0, s * 1.4);
        double v = 0.0;
        for (int r = 0; r < 2; ++r) {
            const double f = tops[r] * s;
            for (int h = 0; h < kHarmonics; ++h) {
                const double fh = f * (h + 1);
                phase[r][h] = std::fmod(phase[r][h] + 2.0 * kPi * fh / kCeremonyRate, 2.0 * kPi);
                if (fh < 0.45 * kCeremonyRate)
                    v += std::sin(phase[r][h]) / std::pow(h + 1.0, 1.5);
            }
        }
        out.samples[n] = float(v * loudness);
    }
    addReverb(out, 0.25, 0.7);
    out.samples.resize(std::min(out.samples.size(), std::size_t(30.0 * kCeremonyRate)));
    fadeIn(out, kClickFreeFade);
    fadeOut(out, 1.0);
    normaliseLoudness(out, 0.89, 0.25);
    return out;
}

Signal signalTone(double seconds)
{
    Signal out = silence(kCeremonyRate, seconds);
    const double f = 587.33; // D5: clear on small loudspeakers
    for (std::size_t n = 0; n < out.samples.size(); ++n) {
        const double t = double(n) / kCeremonyRate;
        const double v =
            std::sin(2 * kPi * f * t) + 0.3 * std::sin(4 * kPi * f * t) + 0.1 * std::sin(6 * kPi * f * t);
        out.samples[n] = float(0.6 * v);
    }
    fadeIn(out, kClickFreeFade);
    fadeOut(out, 0.6);
    return out;
}

Signal momentOfSilence(double seconds)
{
    Signal out = signalTone(3.0);
    append(out, silence(kCeremonyRate, seconds));
    append(out, signalTone(3.0));
    return out;
}

Signal placeholder(const Signal& speech)
{
    Signal out = signalTone(1.5);
    append(out, silence(kCeremonyRate, 0.5));
    append(out, announcement(speech));
    return out;
}

Signal announcement(const Signal& speech)
{
    Signal voice = resampled(speech, kCeremonyRate);
    trimQuiet(voice, 0.01);
    normaliseLoudness(voice, 0.89, 0.2);
    // The voice starts at once: the first word's faint lead-in would reach the loudspeakers as a pause.
    trimLeadIn(voice, kAudible, kClickFreeFade);
    append(voice, silence(kCeremonyRate, 0.5));
    return voice;
}
