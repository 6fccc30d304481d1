// The song as the notation describes it: settings, instrument recipes and pattern cells, before
// any sample is synthesised or any byte of the module is written.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace xmcompose {

inline constexpr int MAX_CHANNELS = 32;
inline constexpr int MAX_ROWS = 256;
inline constexpr int MAX_PATTERNS = 256;
inline constexpr int MAX_ORDERS = 256;
inline constexpr int MAX_INSTRUMENTS = 99;  // two decimal digits in the instrument column
inline constexpr int MAX_ENVELOPE_POINTS = 12;
inline constexpr int NOTE_COUNT = 96;
inline constexpr std::uint8_t KEY_OFF_NOTE = 97;  // as the module stores it
inline constexpr std::int64_t MAX_SAMPLE_FRAMES = 1 << 20;

// One pattern cell exactly as the module stores it (0 = empty field).
struct Cell {
    std::uint8_t note = 0;        // 1..96, 97 = key off
    std::uint8_t instrument = 0;  // 1..99
    std::uint8_t volume = 0;      // volume-column byte
    std::uint8_t effect = 0;      // effect type 0..35
    std::uint8_t parameter = 0;

    [[nodiscard]] bool empty() const {
        return note == 0 && instrument == 0 && volume == 0 && effect == 0 && parameter == 0;
    }
};

struct Pattern {
    bool defined = false;
    int rows = 64;            // 1..256
    std::vector<Cell> cells;  // rows x channels, row-major
};

enum class LoopMode { None, Forward, PingPong };

enum class SourceKind { Partial, Fm, Noise, Sweep, Pluck };

// One sound generator of a sample recipe; the fields a kind does not use stay at their defaults.
struct Source {
    SourceKind kind = SourceKind::Partial;
    double ratio = 1.0;       // frequency as a multiple of the fundamental (Fm: carrier)
    double modulator = 1.0;   // Fm: modulator frequency as a multiple of the fundamental
    double amplitude = 1.0;   // relative, before the sample is normalised
    double decay = 0.0;       // seconds at C-4 for the amplitude to fall by 1/e; 0 = steady
    double index = 0.0;       // Fm: modulation index in radians
    double indexDecay = 0.0;  // Fm: seconds for the index to fall by 1/e; 0 = steady
    double lowpass = 1.0;     // Noise, Pluck: one-pole smoothing 0..1 (1 = open)
    double highpass = 0.0;    // Noise: 0..1 share of the low band removed
    double drop = 0.0;        // Sweep: seconds for the pitch to fall by 1/e toward the fundamental
    std::uint32_t seed = 1;   // Noise, Pluck: fixed seed, so every build gives the same sample
};

struct EnvelopePoint {
    std::uint16_t tick = 0;
    std::uint16_t value = 0;  // 0..64
};

struct Envelope {
    std::vector<EnvelopePoint> points;  // up to 12, ticks increasing
    int sustain = -1;                   // point index, -1 = none
    int loopStart = -1;                 // point indices, -1 = no loop
    int loopEnd = -1;
};

// How to build one instrument: its single sample's recipe and the instrument's playback fields.
struct InstrumentDesign {
    bool defined = false;
    std::string name;
    int bits = 16;   // 8 or 16
    int cycle = 64;  // frames per period of the fundamental; C-4 is tuned to middle C
    int body = 0;    // frames before the loop, or the whole length of a one-shot
    LoopMode loop = LoopMode::None;
    int loopCycles = 0;  // length of one full loop period in fundamental periods
    int attack = 32;     // frames of linear fade-in at the start
    int release = 64;    // one-shot: frames of linear fade-out at the end
    int transpose = 0;   // semitones added to the automatic tuning
    std::vector<Source> sources;
    int volume = 64;    // 0..64
    int panning = 128;  // 0..255
    int fadeout = 0;    // the file's value; the player doubles it
    Envelope volumeEnvelope;
    Envelope panningEnvelope;
    int vibratoType = 0;
    int vibratoSweep = 0;
    int vibratoDepth = 0;
    int vibratoRate = 0;
};

struct Song {
    std::string name;
    int channels = 8;
    int speed = 6;
    int bpm = 125;
    int restart = 0;
    std::vector<int> orders;
    std::array<Pattern, MAX_PATTERNS> patterns;
    std::array<InstrumentDesign, MAX_INSTRUMENTS + 1> instruments;  // index 1..99

    [[nodiscard]] int patternCount() const;     // highest defined pattern + 1
    [[nodiscard]] int instrumentCount() const;  // highest defined instrument number
};

}  // namespace xmcompose
