#include "Signal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>

Signal silence(int rate, double seconds)
{
    Signal s;
    s.rate = rate;
    s.samples.assign(std::size_t(seconds * rate + 0.5), 0.0f);
    return s;
}

void mixInto(Signal& into, const Signal& other, double atSecond, float gain)
{
    const std::size_t start = into.frameAt(atSecond);
    if (into.samples.size() < start + other.samples.size())
        into.samples.resize(start + other.samples.size(), 0.0f);
    for (std::size_t i = 0; i < other.samples.size(); ++i)
        into.samples[start + i] += gain * other.samples[i];
}

void append(Signal& into, const Signal& other)
{
    mixInto(into, other, into.seconds());
}

void scalePeak(Signal& signal, double peak)
{
    float highest = 0.0f;
    for (float v : signal.samples)
        highest = std::max(highest, std::fabs(v));
    if (highest <= 0.0f)
        return;
    const float gain = float(peak / highest);
    for (float& v : signal.samples)
        v *= gain;
}

void normaliseLoudness(Signal& signal, double peak, double rms)
{
    // The level of the loud passages: 50 ms windows within 30 dB of the loudest one.
    const std::size_t window = std::size_t(signal.rate / 20);
    std::vector<double> powers;
    for (std::size_t at = 0; at + window <= signal.samples.size(); at += window) {
        double sum = 0.0;
        for (std::size_t i = at; i < at + window; ++i)
            sum += double(signal.samples[i]) * signal.samples[i];
        powers.push_back(sum / double(window));
    }
    if (powers.empty())
        return;
    const double loudest = *std::max_element(powers.begin(), powers.end());
    double sum = 0.0;
    int count = 0;
    for (double p : powers) {
        if (p >= loudest * 1e-3) {
            sum += p;
            ++count;
        }
    }
    float highest = 0.0f;
    for (float v : signal.samples)
        highest = std::max(highest, std::fabs(v));
    if (highest <= 0.0f || count == 0)
        return;
    const double gain = std::min(peak / highest, rms / std::sqrt(sum / count));
    for (float& v : signal.samples)
        v = float(v * gain);
}

void fadeOut(Signal& signal, double seconds)
{
    const std::size_t n = std::min(signal.samples.size(), std::size_t(seconds * signal.rate));
    const std::size_t start = signal.samples.size() - n;
    for (std::size_t i = 0; i < n; ++i) {
        const double x = 1.0 - double(i) / double(n);
        signal.samples[start + i] *= float(x * x);
    }
}

void fadeIn(Signal& signal, double seconds)
{
    const std::size_t n = std::min(signal.samples.size(), std::size_t(seconds * signal.rate));
    for (std::size_t i = 0; i < n; ++i)
        signal.samples[i] *= float(double(i) / double(n));
}

void trimQuiet(Signal& signal, double threshold)
{
    float highest = 0.0f;
    for (float v : signal.samples)
        highest = std::max(highest, std::fabs(v));
    const float limit = float(highest * threshold);
    auto loud = [limit](float v) { return std::fabs(v) > limit; };
    const auto first = std::find_if(signal.samples.begin(), signal.samples.end(), loud);
    if (first == signal.samples.end()) {
        signal.samples.clear();
        return;
    }
    const auto last = std::find_if(signal.samples.rbegin(), signal.samples.rend(), loud).base();
    signal.samples = std::vector<float>(first, last);
}

void trimLeadIn(Signal& signal, double level, double keep)
{
    const auto loud = std::find_if(signal.samples.begin(), signal.samples.end(),
                                   [level](float v) { return std::fabs(v) >= level; });
    const std::size_t at = std::size_t(loud - signal.samples.begin());
    const std::size_t from = at - std::min(at, std::size_t(keep * signal.rate));
    signal.samples.erase(signal.samples.begin(), signal.samples.begin() + long(from));
    fadeIn(signal, double(at - from) / signal.rate);
}

namespace {

// A feedback comb with a one-pole low-pass in the loop (the damping of a real room).
struct Comb
{
    std::vector<float> buffer;
    std::size_t at = 0;
    float store = 0.0f;
    float process(float in, float feedback, float damp)
    {
        const float out = buffer[at];
        store = out * (1.0f - damp) + store * damp;
        buffer[at] = in + store * feedback;
        at = (at + 1) % buffer.size();
        return out;
    }
};

struct AllPass
{
    std::vector<float> buffer;
    std::size_t at = 0;
    float process(float in)
    {
        const float delayed = buffer[at];
        buffer[at] = in + delayed * 0.5f;
        at = (at + 1) % buffer.size();
        return delayed - in;
    }
};

} // namespace

void addReverb(Signal& signal, double wet, double roomSize)
{
    constexpr std::array<int, 8> combDelays{1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    constexpr std::array<int, 4> allPassDelays{556, 441, 341, 225};
    const double scale = signal.rate / 44100.0;
    std::vector<Comb> combs;
    for (int d : combDelays)
        combs.push_back(Comb{std::vector<float>(std::size_t(d * scale), 0.0f)});
    std::vector<AllPass> allPasses;
    for (int d : allPassDelays)
        allPasses.push_back(AllPass{std::vector<float>(std::size_t(d * scale), 0.0f)});
    // Room for the tail to ring out.
    signal.samples.resize(signal.samples.size() + std::size_t(roomSize * 2.0 * signal.rate), 0.0f);
    const float feedback = float(0.7 + 0.28 * roomSize);
    for (float& v : signal.samples) {
        const float in = v * 0.015f;
        float out = 0.0f;
        for (Comb& c : combs)
            out += c.process(in, feedback, 0.25f);
        for (AllPass& a : allPasses)
            out = a.process(out);
        v = float(v * (1.0 - wet * 0.5) + out * wet * 3.0);
    }
}

Signal resampled(const Signal& signal, int rate)
{
    if (signal.rate == rate || signal.samples.empty())
        return signal;
    Signal out;
    out.rate = rate;
    const double step = double(signal.rate) / rate;
    const std::size_t n = std::size_t(double(signal.samples.size()) / step);
    out.samples.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double pos = double(i) * step;
        const std::size_t k = std::size_t(pos);
        const double f = pos - double(k);
        const float a = signal.samples[k];
        const float b = k + 1 < signal.samples.size() ? signal.samples[k + 1] : a;
        out.samples[i] = float(a + (b - a) * f);
    }
    return out;
}

namespace {

void put16(std::ofstream& out, std::uint16_t v)
{
    const char bytes[2] = {char(v & 0xFF), char(v >> 8)};
    out.write(bytes, 2);
}

void put32(std::ofstream& out, std::uint32_t v)
{
    put16(out, std::uint16_t(v & 0xFFFF));
    put16(out, std::uint16_t(v >> 16));
}

std::uint32_t le(const unsigned char* p, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | p[i];
    return v;
}

} // namespace

bool writeWav(const std::string& path, const Signal& signal)
{
    // Written beside the target and renamed over it, so an interrupted build leaves no half file.
    const std::string partial = path + ".part";
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    const std::uint32_t dataBytes = std::uint32_t(signal.samples.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, std::uint32_t(signal.rate));
    put32(out, std::uint32_t(signal.rate * 2));
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, dataBytes);
    // Triangular dither, from a fixed seed so every build writes the same bytes; true silence stays 0.
    std::minstd_rand random(20261207u);
    std::uniform_real_distribution<float> half(-0.5f, 0.5f);
    for (float v : signal.samples) {
        float scaled = v * 32767.0f;
        if (v != 0.0f)
            scaled += half(random) + half(random);
        put16(out, std::uint16_t(std::int16_t(std::lround(std::clamp(scaled, -32768.0f, 32767.0f)))));
    }
    out.close();
    if (!out)
        return false;
    return std::rename(partial.c_str(), path.c_str()) == 0;
}

bool readWav(const std::string& path, Signal& signal, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    if (bytes.size() < 12 || std::string(bytes.begin(), bytes.begin() + 4) != "RIFF") {
        error = "not a WAV file";
        return false;
    }
    int channels = 0;
    int bits = 0;
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::string id(bytes.begin() + long(at), bytes.begin() + long(at) + 4);
        const std::size_t size = le(&bytes[at + 4], 4);
        const std::size_t body = at + 8;
        if (id == "fmt " && body + 16 <= bytes.size()) {
            channels = int(le(&bytes[body + 2], 2));
            signal.rate = int(le(&bytes[body + 4], 4));
            bits = int(le(&bytes[body + 14], 2));
        } else if (id == "data" && channels > 0 && bits == 16) {
            const std::size_t end = std::min(bytes.size(), body + size);
            signal.samples.clear();
            for (std::size_t i = body; i + 2 * std::size_t(channels) <= end; i += 2 * std::size_t(channels)) {
                float sum = 0.0f;
                for (int c = 0; c < channels; ++c)
                    sum += float(std::int16_t(le(&bytes[i + 2 * std::size_t(c)], 2))) / 32768.0f;
                signal.samples.push_back(sum / float(channels));
            }
            return true;
        }
        at = body + size + (size & 1);
    }
    error = "no 16-bit PCM data";
    return false;
}
