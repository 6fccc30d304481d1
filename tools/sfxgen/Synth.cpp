// Sine tones with exponential decay, filtered noise from a linear congruential generator, and the
// fades, level and 8-bit conversion of a finished sound.
#include "tools/sfxgen/Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sfxgen {
namespace {

inline constexpr double TWO_PI = 2.0 * std::numbers::pi;

// 0 at t = 0 rising to 1 at t = length, along half a cosine.
double raisedCosine(double t, double length) {
    if (length <= 0.0 || t >= length) {
        return 1.0;
    }
    return 0.5 - 0.5 * std::cos(std::numbers::pi * std::max(t, 0.0) / length);
}

}  // namespace

Signal silence(std::uint32_t rate, std::size_t length) {
    return Signal{rate, std::vector<double>(length, 0.0)};
}

void addTone(Signal& signal, double start, double frequency, double level, double decay, double onset) {
    const double rate = signal.rate;
    for (std::size_t i = 0; i < signal.samples.size(); ++i) {
        const double t = i / rate - start;
        if (t < 0.0) {
            continue;
        }
        const double envelope = level * raisedCosine(t, onset) * std::exp(-t / decay);
        signal.samples[i] += envelope * std::sin(TWO_PI * frequency * t);
    }
}

void addGlidingTone(Signal& signal, double from, double to, double glide, double level, double decay,
                    double onset) {
    const double rate = signal.rate;
    double phase = 0.0;  // cycles
    for (std::size_t i = 0; i < signal.samples.size(); ++i) {
        const double t = i / rate;
        const double envelope = level * raisedCosine(t, onset) * std::exp(-t / decay);
        signal.samples[i] += envelope * std::sin(TWO_PI * phase);
        phase += (to + (from - to) * std::exp(-t / glide)) / rate;
    }
}

void addSoftNoise(Signal& signal, double cutoff, double level, double decay, std::uint32_t seed) {
    const double rate = signal.rate;
    const double smoothing = 1.0 - std::exp(-TWO_PI * cutoff / rate);
    std::uint32_t state = seed;
    double filtered = 0.0;
    for (std::size_t i = 0; i < signal.samples.size(); ++i) {
        state = state * 1664525u + 1013904223u;
        const double white = static_cast<double>(state >> 8) / static_cast<double>(1u << 23) - 1.0;
        filtered += smoothing * (white - filtered);
        signal.samples[i] += level * std::exp(-(i / rate) / decay) * filtered;
    }
}

void finish(Signal& signal, double fadeIn, double fadeOut, double peak) {
    const double rate = signal.rate;
    const std::size_t count = signal.samples.size();
    double largest = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double fromStart = i / rate;
        const double toEnd = (count - 1 - i) / rate;
        signal.samples[i] *= raisedCosine(fromStart, fadeIn) * raisedCosine(toEnd, fadeOut);
        largest = std::max(largest, std::abs(signal.samples[i]));
    }
    if (largest <= 0.0) {
        return;
    }
    for (double& sample : signal.samples) {
        sample *= peak / largest;
    }
}

std::vector<std::uint8_t> toUnsigned8(const Signal& signal) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(signal.samples.size());
    for (const double sample : signal.samples) {
        const long value = 128 + std::lround(std::clamp(sample, -1.0, 1.0) * 127.0);
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

}  // namespace sfxgen
