// Sample synthesis: each source is added into a buffer of doubles, then shaped, normalised and
// rounded to the sample's bit depth.
#include "tools/xmcompose/SampleSynth.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace xmcompose {
namespace {

inline constexpr double TWO_PI = 2.0 * std::numbers::pi;

// Where the sample's parts lie, in frames.
struct Layout {
    std::int64_t total = 0;
    std::int64_t anchor = 0;  // phase reference: the loop start, or 0 for a one-shot
    std::int64_t freeze = 0;  // amplitudes stop changing here (the loop start); one-shots never freeze
    std::int64_t period = 0;  // frames after which a looped waveform repeats exactly; 0 = one-shot
    double rate = 0.0;        // frames per second when the sample plays at C-4
};

// A frequency either exact in whole cycles per loop period, or free for a one-shot.
struct Oscillator {
    std::int64_t cycles = 0;  // per period, when looped
    double perFrame = 0.0;

    double turns(const Layout& layout, std::int64_t t) const {
        if (layout.period > 0) {
            const std::int64_t position =
                ((cycles * (t - layout.anchor)) % layout.period + layout.period) % layout.period;
            return static_cast<double>(position) / static_cast<double>(layout.period);
        }
        const double turns = perFrame * static_cast<double>(t);
        return turns - std::floor(turns);
    }
};

Oscillator oscillator(const Layout& layout, double ratio, int cycle) {
    Oscillator result;
    result.perFrame = ratio / cycle;
    if (layout.period > 0) {
        result.cycles = std::llround(ratio * static_cast<double>(layout.period) / cycle);
    }
    return result;
}

double envelope(const Layout& layout, double seconds, std::int64_t t) {
    if (seconds <= 0.0) {
        return 1.0;
    }
    const std::int64_t held = layout.period > 0 ? std::min(t, layout.freeze) : t;
    return std::exp(-static_cast<double>(held) / (seconds * layout.rate));
}

void addPartial(const Layout& layout, const Source& source, int cycle, std::vector<double>& mix) {
    const Oscillator wave = oscillator(layout, source.ratio, cycle);
    for (std::int64_t t = 0; t < layout.total; ++t) {
        mix[t] +=
            source.amplitude * envelope(layout, source.decay, t) * std::cos(TWO_PI * wave.turns(layout, t));
    }
}

// Cosine carrier with a sine modulator: mirror-symmetric about the phase reference, as ping-pong
// loops need.
void addFm(const Layout& layout, const Source& source, int cycle, std::vector<double>& mix) {
    const Oscillator carrier = oscillator(layout, source.ratio, cycle);
    const Oscillator modulator = oscillator(layout, source.modulator, cycle);
    for (std::int64_t t = 0; t < layout.total; ++t) {
        const double index = source.index * envelope(layout, source.indexDecay, t);
        const double phase =
            TWO_PI * carrier.turns(layout, t) + index * std::sin(TWO_PI * modulator.turns(layout, t));
        mix[t] += source.amplitude * envelope(layout, source.decay, t) * std::cos(phase);
    }
}

// xorshift32: the same sequence for the same seed on every machine.
double nextNoise(std::uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<double>(state) / 2147483648.0 - 1.0;
}

void addNoise(const Layout& layout, const Source& source, std::vector<double>& mix) {
    std::uint32_t state = source.seed;
    double smooth = 0.0;
    double low = 0.0;
    for (std::int64_t t = 0; t < layout.total; ++t) {
        smooth += source.lowpass * (nextNoise(state) - smooth);
        low += 0.1 * (smooth - low);
        mix[t] += source.amplitude * envelope(layout, source.decay, t) * (smooth - source.highpass * low);
    }
}

// A sine falling from ratio x the fundamental to the fundamental: drums and toms.
void addSweep(const Layout& layout, const Source& source, int cycle, std::vector<double>& mix) {
    double turns = 0.0;
    const double dropFrames = std::max(source.drop * layout.rate, 1.0);
    for (std::int64_t t = 0; t < layout.total; ++t) {
        mix[t] += source.amplitude * envelope(layout, source.decay, t) * std::sin(TWO_PI * turns);
        const double ratio = 1.0 + (source.ratio - 1.0) * std::exp(-static_cast<double>(t) / dropFrames);
        turns += ratio / cycle;
        turns -= std::floor(turns);
    }
}

// Plucked string: a delay line of one period filled with smoothed noise, averaged as it circulates.
void addPluck(const Layout& layout, const Source& source, int cycle, std::vector<double>& mix) {
    std::vector<double> line(static_cast<size_t>(cycle));
    std::uint32_t state = source.seed;
    double smooth = 0.0;
    for (double& value : line) {
        smooth += source.lowpass * (nextNoise(state) - smooth);
        value = smooth;
    }
    const double gain = source.decay > 0.0 ? std::exp(-1.0 / (source.decay * layout.rate)) : 1.0;
    size_t index = 0;
    for (std::int64_t t = 0; t < layout.total; ++t) {
        const size_t next = (index + 1) % line.size();
        mix[t] += source.amplitude * line[index];
        line[index] = gain * 0.5 * (line[index] + line[next]);
        index = next;
    }
}

void shape(const InstrumentDesign& design, std::vector<double>& mix) {
    const std::int64_t total = static_cast<std::int64_t>(mix.size());
    for (std::int64_t t = 0; t < std::min<std::int64_t>(design.attack, total); ++t) {
        mix[t] *= static_cast<double>(t) / design.attack;
    }
    if (design.loop != LoopMode::None) {
        return;
    }
    const std::int64_t release = std::min<std::int64_t>(design.release, total);
    for (std::int64_t i = 0; i < release; ++i) {
        mix[total - 1 - i] *= static_cast<double>(i) / release;  // reaches 0 on the last frame
    }
}

}  // namespace

void tuneSample(int cycle, int transpose, int& relativeNote, int& finetune) {
    const double semitones = 12.0 * std::log2(MIDDLE_C_HZ * cycle / C4_RATE_HZ) + transpose;
    const long steps = std::lround(semitones * 128.0);
    relativeNote = static_cast<int>(std::floor(static_cast<double>(steps) / 128.0));
    finetune = static_cast<int>(steps - relativeNote * 128L);
}

SampleData synthesiseSample(const InstrumentDesign& design) {
    Layout layout;
    const std::int64_t loopPeriod = static_cast<std::int64_t>(design.loopCycles) * design.cycle;
    std::int64_t loopFrames = 0;
    if (design.loop != LoopMode::None) {
        layout.period = loopPeriod;
        loopFrames = design.loop == LoopMode::Forward ? loopPeriod : loopPeriod / 2;
        layout.anchor = design.body;
        layout.freeze = design.body;
    }
    layout.total = design.body + loopFrames;
    layout.rate = MIDDLE_C_HZ * design.cycle * std::exp2(design.transpose / 12.0);
    std::vector<double> mix(static_cast<size_t>(layout.total), 0.0);
    for (const Source& source : design.sources) {
        switch (source.kind) {
            case SourceKind::Partial:
                addPartial(layout, source, design.cycle, mix);
                break;
            case SourceKind::Fm:
                addFm(layout, source, design.cycle, mix);
                break;
            case SourceKind::Noise:
                addNoise(layout, source, mix);
                break;
            case SourceKind::Sweep:
                addSweep(layout, source, design.cycle, mix);
                break;
            case SourceKind::Pluck:
                addPluck(layout, source, design.cycle, mix);
                break;
        }
    }
    shape(design, mix);
    double peak = 0.0;
    for (const double value : mix) {
        peak = std::max(peak, std::fabs(value));
    }
    const double fullScale = design.bits == 16 ? 32767.0 : 127.0;
    const double scale = peak > 0.0 ? 0.97 * fullScale / peak : 0.0;
    SampleData sample;
    sample.bits = design.bits;
    sample.loop = design.loop;
    sample.loopStart = design.loop == LoopMode::None ? 0 : static_cast<std::uint32_t>(design.body);
    sample.loopLength = static_cast<std::uint32_t>(loopFrames);
    sample.frames.reserve(mix.size());
    for (const double value : mix) {
        sample.frames.push_back(static_cast<std::int16_t>(std::lround(value * scale)));
    }
    tuneSample(design.cycle, design.transpose, sample.relativeNote, sample.finetune);
    return sample;
}

}  // namespace xmcompose
