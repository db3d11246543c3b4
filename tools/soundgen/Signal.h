#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Every shipped sound reaches this level (of full scale) within its first 10 ms, so it is heard the
// moment it is started; a fade-in shorter than that keeps the start free of clicks.
constexpr double kAudible = 0.06;
constexpr double kClickFreeFade = 0.004; // seconds

// A mono sound being built, as floating-point samples in -1..1.
struct Signal
{
    int rate = 44100;
    std::vector<float> samples;

    double seconds() const { return double(samples.size()) / rate; }
    std::size_t frameAt(double second) const { return std::size_t(second * rate + 0.5); }
};

Signal silence(int rate, double seconds);
// Adds `other` (same rate) into `into` from `atSecond` on, growing it as needed.
void mixInto(Signal& into, const Signal& other, double atSecond, float gain = 1.0f);
void append(Signal& into, const Signal& other);
// Raises or lowers the level so the loud passages sit near `rms`, never letting a peak pass `peak`.
void normaliseLoudness(Signal& signal, double peak, double rms);
void scalePeak(Signal& signal, double peak);
void fadeOut(Signal& signal, double seconds);
void fadeIn(Signal& signal, double seconds);
// Cuts leading and trailing passages quieter than `threshold` (relative to the peak).
void trimQuiet(Signal& signal, double threshold);
// Starts the signal `keep` seconds before its first sample of at least `level` (of full scale), faded
// in over those seconds.
void trimLeadIn(Signal& signal, double level, double keep);
// A small hall (Freeverb-style combs and all-passes), mixed in at `wet`.
void addReverb(Signal& signal, double wet, double roomSize);
Signal resampled(const Signal& signal, int rate);

// 16-bit PCM mono WAV files.
bool writeWav(const std::string& path, const Signal& signal);
bool readWav(const std::string& path, Signal& signal, std::string& error);
