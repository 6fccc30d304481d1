// Building blocks of the sound designs: decaying sine tones, a seeded noise source, and the finish
// that gives every sound silent edges and its level before it becomes 8-bit samples.
#pragma once

#include <cstdint>
#include <vector>

namespace sfxgen {

// A sound being made: samples in -1..1 at rate frames per second.
struct Signal {
    std::uint32_t rate = 0;
    std::vector<double> samples;
};

[[nodiscard]] Signal silence(std::uint32_t rate, std::size_t length);

// Adds a sine tone starting at `start` seconds: frequency in Hz, level 0..1, amplitude decaying by
// e every `decay` seconds, with a raised-cosine onset of `onset` seconds so that it enters softly.
void addTone(Signal& signal, double start, double frequency, double level, double decay, double onset);

// Adds a tone whose frequency glides exponentially from `from` to `to` Hz with time constant `glide`
// seconds (a struck body settling), decaying like addTone from the start of the signal.
void addGlidingTone(Signal& signal, double from, double to, double glide, double level, double decay,
                    double onset);

// Adds noise through a one-pole low-pass at `cutoff` Hz, decaying by e every `decay` seconds. The
// noise comes from a fixed seed, so it is the same on every run.
void addSoftNoise(Signal& signal, double cutoff, double level, double decay, std::uint32_t seed);

// Raised-cosine fades over the first `fadeIn` and the last `fadeOut` seconds, so the first and last
// samples are exact silence; then scales the sound so that its largest excursion is `peak` (0..1).
void finish(Signal& signal, double fadeIn, double fadeOut, double peak);

// 8-bit unsigned samples: 128 is silence, the scale is 127 per unit.
[[nodiscard]] std::vector<std::uint8_t> toUnsigned8(const Signal& signal);

}  // namespace sfxgen
