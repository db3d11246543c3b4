#include "Instruments.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr double kPi = 3.14159265358979323846;

// The force of one blow over time: a raised cosine as long as the hammer touches, its area the
// velocity. Its spectrum falls smoothly to its first zero at twice the inverse contact time.
void addBlow(std::vector<float>& excitation, std::size_t at, double velocity, int width)
{
    auto force = [width](int k) { return 0.5 * (1.0 - std::cos(2.0 * kPi * (k + 0.5) / width)); };
    double area = 0.0;
    for (int k = 0; k < width; ++k)
        area += force(k);
    for (int k = 0; k < width && at + std::size_t(k) < excitation.size(); ++k)
        excitation[at + std::size_t(k)] += float(velocity * force(k) / area);
}

// A two-pole resonator scaled so that a unit blow rings at `gain`.
void ring(const std::vector<float>& excitation, std::vector<float>& out, double hz, double gain, double t60,
          int rate)
{
    const double theta = 2.0 * kPi * hz / rate;
    const double r = std::exp(-6.907755 / (t60 * rate)); // ln(1000): -60 dB after t60
    const double a1 = 2.0 * r * std::cos(theta);
    const double a2 = -r * r;
    const double g = gain * std::sin(theta);
    double y1 = 0.0;
    double y2 = 0.0;
    for (std::size_t n = 0; n < excitation.size(); ++n) {
        const double y = g * excitation[n] + a1 * y1 + a2 * y2;
        y2 = y1;
        y1 = y;
        out[n] += float(y);
    }
}

} // namespace

double midiHz(int note)
{
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

Signal render(const Voice& voice, const std::vector<Hit>& hits, int rate, double seconds)
{
    Signal result = silence(rate, seconds);
    std::map<double, std::vector<Hit>> byPitch;
    for (const Hit& hit : hits)
        byPitch[hit.pitchHz].push_back(hit);
    const int width = std::max(1, int(voice.malletMs * rate / 1000.0));
    std::vector<float> group(result.samples.size());
    for (const auto& [pitch, pitchHits] : byPitch) {
        std::vector<float> excitation(result.samples.size(), 0.0f);
        for (const Hit& hit : pitchHits)
            addBlow(excitation, result.frameAt(hit.time), hit.velocity, width);
        std::fill(group.begin(), group.end(), 0.0f);
        for (const Mode& mode : voice.modes) {
            const double hz = pitch * mode.ratio;
            if (hz > 0.45 * rate)
                continue; // above what the file can hold
            if (voice.beatHz > 0.0) {
                ring(excitation, group, hz - voice.beatHz / 2, mode.gain / 2, mode.t60, rate);
                ring(excitation, group, hz + voice.beatHz / 2, mode.gain / 2, mode.t60, rate);
            } else {
                ring(excitation, group, hz, mode.gain, mode.t60, rate);
            }
        }
        for (std::size_t n = 0; n < group.size(); ++n) {
            double level = 1.0;
            if (voice.tremoloHz > 0.0)
                level -= voice.tremoloDepth * 0.5 * (1.0 - std::cos(2.0 * kPi * voice.tremoloHz * n / rate));
            result.samples[n] += float(group[n] * level);
        }
    }
    return result;
}

const Voice& tubularBell()
{
    // Modes of a free tube go as (2n+1)^2; the ear hears the pitch an octave under the fourth mode.
    static const Voice v{{{0.617, 0.08, 3.0},
                          {1.21, 0.35, 5.0},
                          {2.0, 1.0, 6.0},
                          {2.99, 0.75, 4.5},
                          {4.17, 0.5, 3.0},
                          {5.56, 0.3, 2.0},
                          {7.1, 0.12, 1.2}},
                         0.5,
                         0.4};
    return v;
}

const Voice& churchBell()
{
    // A minor-third church bell, relative to its strike note (the nominal): hum, prime, tierce, quint,
    // nominal and the upper partials, each dying at its own pace.
    static const Voice v{{{0.25, 0.35, 9.0},
                          {0.5, 0.45, 7.0},
                          {0.6, 0.5, 5.0},
                          {0.75, 0.22, 3.5},
                          {1.0, 1.0, 4.0},
                          {1.25, 0.3, 2.5},
                          {1.335, 0.28, 2.0},
                          {1.5, 0.22, 1.5},
                          {2.0, 0.15, 1.0},
                          {2.5, 0.08, 0.7},
                          {3.0, 0.06, 0.5}},
                         0.4,
                         0.3};
    return v;
}

const Voice& glockenspiel()
{
    static const Voice v{{{1.0, 1.0, 2.5}, {2.756, 0.25, 0.8}, {5.404, 0.1, 0.25}, {8.933, 0.04, 0.1}}, 0.25};
    return v;
}

const Voice& vibraphone()
{
    static const Voice v{{{1.0, 1.0, 4.0}, {4.0, 0.25, 1.2}, {10.0, 0.05, 0.3}}, 0.8, 0.0, 5.5, 0.35};
    return v;
}

const Voice& musicBox()
{
    static const Voice v{{{1.0, 1.0, 2.5}, {2.0, 0.06, 1.0}, {6.27, 0.12, 0.3}, {17.55, 0.04, 0.06}}, 0.2};
    return v;
}

const Voice& marimba()
{
    static const Voice v{{{1.0, 1.0, 1.1}, {3.99, 0.3, 0.35}, {9.9, 0.06, 0.1}}, 0.8};
    return v;
}

const Voice& electricPiano()
{
    // A tine and its tone bar: nearly harmonic, with a short inharmonic ping at the start.
    static const Voice v{{{1.0, 1.0, 4.0}, {2.0, 0.35, 2.0}, {3.0, 0.1, 1.0}, {7.1, 0.2, 0.15}}, 0.6};
    return v;
}

const Voice& chimeBar()
{
    static const Voice v{{{1.0, 1.0, 3.5}, {2.76, 0.12, 1.0}, {5.4, 0.05, 0.3}}, 0.7};
    return v;
}

const Voice& gongBell()
{
    // The dome of an electric bell, struck by a small hammer; its upper modes kept low so it rings rather
    // than rattles.
    static const Voice v{
        {{1.0, 1.0, 1.5}, {2.32, 0.35, 0.9}, {3.85, 0.18, 0.5}, {5.0, 0.1, 0.35}, {6.3, 0.05, 0.25}},
        0.6,
        1.2};
    return v;
}
