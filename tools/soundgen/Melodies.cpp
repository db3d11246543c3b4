#include "Melodies.h"

#include "Instruments.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kLongest = 14.5; // seconds, tail included
constexpr double kTail = 3.0;     // seconds of ringing after the last blow

struct Note
{
    double beat;
    int midi;
    double velocity = 0.8;
};

std::vector<Hit> hitsOf(std::initializer_list<Note> notes, double secondsPerBeat, double startSecond = 0.1)
{
    std::vector<Hit> hits;
    for (const Note& n : notes)
        hits.push_back(Hit{startSecond + n.beat * secondsPerBeat, midiHz(n.midi), n.velocity});
    return hits;
}

double lastTime(const std::vector<Hit>& hits)
{
    double last = 0.0;
    for (const Hit& h : hits)
        last = std::max(last, h.time);
    return last;
}

struct Part
{
    const Voice& voice;
    std::vector<Hit> hits;
    float gain = 1.0f;
};

double firstTime(const std::vector<Hit>& hits)
{
    double first = kLongest;
    for (const Hit& h : hits)
        first = std::min(first, h.time);
    return first;
}

// Renders the parts together in a small hall, at one loudness for every melody. The first blow lands
// on the file's first sample: a bell is heard the moment it is started, and the school hears any
// silence ahead of it as lateness.
Signal perform(std::initializer_list<Part> parts, double tail = kTail)
{
    double first = kLongest;
    double last = 0.0;
    for (const Part& p : parts) {
        first = std::min(first, firstTime(p.hits));
        last = std::max(last, lastTime(p.hits));
    }
    const double length = std::min(last - first + tail, kLongest - 1.0);
    Signal mix = silence(kRate, length);
    for (const Part& p : parts) {
        std::vector<Hit> hits = p.hits;
        for (Hit& h : hits)
            h.time -= first;
        mixInto(mix, render(p.voice, hits, kRate, length), 0.0, p.gain);
    }
    addReverb(mix, 0.22, 0.5);
    mix.samples.resize(std::min(mix.samples.size(), std::size_t(kLongest * kRate)));
    fadeOut(mix, 1.2);
    normaliseLoudness(mix, 0.89, 0.16);
    return mix;
}

// The Westminster quarters, the four changes of the full hour, on tubular bells in E.
Signal westminster()
{
    constexpr int E = 76, Fs = 78, Gs = 80, B = 71;
    const int changes[4][4] = {{E, Gs, Fs, B}, {E, Fs, Gs, E}, {Gs, E, Fs, B}, {B, Fs, Gs, E}};
    std::vector<Hit> hits;
    for (int c = 0; c < 4; ++c) {
        for (int k = 0; k < 4; ++k)
            hits.push_back(Hit{0.1 + (c * 5 + k) * 0.55, midiHz(changes[c][k]), k == 3 ? 0.9 : 0.75});
    }
    return perform({{tubularBell(), hits}}, 3.2);
}

// Rising major triads on a glockenspiel: C, F, G, then C an octave up, ending in the full chord.
Signal risingTriads()
{
    const int chords[4][4] = {{72, 76, 79, 84}, {77, 81, 84, 89}, {79, 83, 86, 91}, {84, 88, 91, 96}};
    std::vector<Hit> hits;
    double t = 0.1;
    for (const auto& chord : chords) {
        for (int k = 0; k < 4; ++k)
            hits.push_back(Hit{t + k * 0.16, midiHz(chord[k]), 0.6 + 0.1 * k});
        t += 4 * 0.16 + 0.3;
    }
    for (int k = 0; k < 4; ++k)
        hits.push_back(Hit{t + k * 0.02, midiHz(chords[0][k] + 12), 0.8});
    std::vector<Hit> bass{{0.1, midiHz(60), 0.5},
                          {1.04, midiHz(53), 0.5},
                          {1.98, midiHz(55), 0.5},
                          {2.92, midiHz(60), 0.5},
                          {t, midiHz(48), 0.6}};
    return perform({{glockenspiel(), hits}, {vibraphone(), bass, 0.6f}});
}

// A soft electric bell: a felt hammer on a bell dome sixteen times a second, twice, then ringing out.
Signal softElectricBell()
{
    std::vector<Hit> hits;
    const double pitch = 698.5; // F5
    auto rattle = [&](double from, double to) {
        int k = 0;
        for (double t = from; t < to; t += 1.0 / 16.0, ++k) {
            // An unsteady spring and hammer: the blows are never quite alike.
            // The hammer reaches full swing within its first few blows; the first is already heard.
            const double swell = 0.6 + 0.4 * std::min(1.0, (t - from) / 0.12);
            hits.push_back(Hit{t, pitch, swell * (0.7 + 0.15 * std::sin(k * 2.1) + 0.1 * std::sin(k * 0.7))});
        }
    };
    rattle(0.1, 3.1);
    rattle(3.7, 5.7);
    return perform({{gongBell(), hits, 1.0f}}, 2.6);
}

// Six church bells ringing rounds and call changes in D, the way a tower rings them.
Signal churchRounds()
{
    const int bells[6] = {74, 73, 71, 69, 67, 66};
    const int rows[5][6] = {
        {0, 1, 2, 3, 4, 5}, {0, 1, 2, 3, 4, 5}, {0, 2, 4, 1, 3, 5}, {0, 3, 1, 4, 2, 5}, {0, 1, 2, 3, 4, 5}};
    std::vector<Hit> hits;
    double t = 0.1;
    for (int r = 0; r < 5; ++r) {
        if (r % 2 == 0 && r > 0)
            t += 0.3; // the open handstroke lead
        for (int k = 0; k < 6; ++k) {
            hits.push_back(Hit{t, midiHz(bells[rows[r][k]]), 0.7 + 0.04 * ((r + k) % 3)});
            t += 0.3;
        }
    }
    return perform({{churchBell(), hits}}, 3.4);
}

// A hall door chime: two tone bars, "ding-dong", three times.
Signal doorChime()
{
    std::vector<Hit> hits;
    for (int k = 0; k < 3; ++k) {
        hits.push_back(Hit{0.1 + k * 2.0, midiHz(76), 0.85});
        hits.push_back(Hit{0.8 + k * 2.0, midiHz(72), 0.85});
    }
    return perform({{chimeBar(), hits}});
}

// Beethoven's "Ode to Joy", its first two lines, on a music box.
Signal odeToJoy()
{
    constexpr int C = 84, D = 86, E = 88, F = 89, G = 91;
    std::vector<Hit> tune =
        hitsOf({{0, E},  {1, E},  {2, F},  {3, G},    {4, G},  {5, F},  {6, E},  {7, D},  {8, C},    {9, C},
                {10, D}, {11, E}, {12, E}, {13.5, D}, {14, D}, {16, E}, {17, E}, {18, F}, {19, G},   {20, G},
                {21, F}, {22, E}, {23, D}, {24, C},   {25, C}, {26, D}, {27, E}, {28, D}, {29.5, C}, {30, C}},
               0.3);
    std::vector<Hit> bass;
    for (int bar = 0; bar < 8; ++bar) {
        const int root = bar % 2 == 0 || bar == 7 ? 72 : 67;
        bass.push_back(Hit{0.1 + bar * 4 * 0.3, midiHz(root), 0.45});
        bass.push_back(Hit{0.1 + (bar * 4 + 2) * 0.3, midiHz(root + 7), 0.35});
    }
    return perform({{musicBox(), tune}, {musicBox(), bass, 0.7f}}, 2.4);
}

// A marimba tune on the pentatonic scale, ending in a roll.
Signal marimbaTune()
{
    const int phrase[2][16] = {{72, 76, 79, 81, 79, 76, 74, 72, 74, 76, 79, 84, 81, 79, 76, 79},
                               {72, 76, 79, 81, 84, 81, 79, 76, 74, 76, 74, 72, 74, 79, 76, 74}};
    std::vector<Hit> hits;
    double t = 0.1;
    for (const auto& p : phrase) {
        for (int k = 0; k < 16; ++k, t += 0.18)
            hits.push_back(Hit{t, midiHz(p[k]), k % 4 == 0 ? 0.9 : 0.7});
    }
    for (int k = 0; k < 22; ++k) // the closing roll on a C major chord
        hits.push_back(
            Hit{t + k * 0.065, midiHz(k % 2 == 0 ? 84 : 76), 0.45 + 0.3 * std::sin(k * 3.14159 / 22)});
    std::vector<Hit> bass{{0.1, midiHz(48), 0.8},  {0.82, midiHz(45), 0.8}, {1.54, midiHz(53), 0.8},
                          {2.26, midiHz(55), 0.8}, {2.98, midiHz(48), 0.8}, {3.70, midiHz(45), 0.8},
                          {4.42, midiHz(50), 0.8}, {5.14, midiHz(55), 0.8}, {t, midiHz(48), 0.9}};
    return perform({{marimba(), hits}, {marimba(), bass, 0.8f}}, 2.0);
}

// The opening of Beethoven's "Für Elise" on an electric piano.
Signal furElise()
{
    constexpr int A2 = 45, E2 = 40, E3 = 52, Gs3 = 56, A3 = 57, C4 = 60, E4 = 64, Gs4 = 68, A4 = 69, B4 = 71,
                  C5 = 72, D5 = 74, Ds5 = 75, E5 = 76;
    std::vector<Hit> right =
        hitsOf({{0, E5},  {1, Ds5},  {2, E5},  {3, Ds5},  {4, E5},  {5, B4},   {6, D5},  {7, C5},  {8, A4},
                {11, C4}, {12, E4},  {13, A4}, {14, B4},  {17, E4}, {18, Gs4}, {19, B4}, {20, C5}, {23, E4},
                {24, E5}, {25, Ds5}, {26, E5}, {27, Ds5}, {28, E5}, {29, B4},  {30, D5}, {31, C5}, {32, A4},
                {35, C4}, {36, E4},  {37, A4}, {38, B4},  {41, E4}, {42, C5},  {43, B4}, {44, A4}},
               0.17);
    std::vector<Hit> left = hitsOf({{8, A2, 0.5},
                                    {9, E3, 0.4},
                                    {10, A3, 0.4},
                                    {14, E2, 0.5},
                                    {15, E3, 0.4},
                                    {16, Gs3, 0.4},
                                    {20, A2, 0.5},
                                    {21, E3, 0.4},
                                    {22, A3, 0.4},
                                    {32, A2, 0.5},
                                    {33, E3, 0.4},
                                    {34, A3, 0.4},
                                    {38, E2, 0.5},
                                    {39, E3, 0.4},
                                    {40, Gs3, 0.4},
                                    {44, A2, 0.5},
                                    {45, E3, 0.4},
                                    {46, A3, 0.4}},
                                   0.17);
    return perform({{electricPiano(), right}, {electricPiano(), left, 0.8f}}, 2.6);
}

// A three-tone public-address gong, rising twice and closing on the chord.
Signal announcementGong()
{
    std::vector<Hit> hits;
    for (int round = 0; round < 2; ++round) {
        const double t = 0.1 + round * 2.3;
        hits.push_back(Hit{t, midiHz(67), 0.8});
        hits.push_back(Hit{t + 0.45, midiHz(71), 0.8});
        hits.push_back(Hit{t + 0.9, midiHz(74), 0.85});
    }
    constexpr int chord[4] = {55, 67, 71, 74};
    for (int k = 0; k < 4; ++k)
        hits.push_back(Hit{4.7 + k * 0.03, midiHz(chord[k]), 0.75});
    return perform({{vibraphone(), hits}}, 4.0);
}

} // namespace

Signal melody(int number)
{
    switch (number) {
    case 1:
        return westminster();
    case 2:
        return risingTriads();
    case 3:
        return softElectricBell();
    case 4:
        return churchRounds();
    case 5:
        return doorChime();
    case 6:
        return odeToJoy();
    case 7:
        return marimbaTune();
    case 8:
        return furElise();
    default:
        return announcementGong();
    }
}
