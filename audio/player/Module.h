// The in-memory music module: song, patterns, instruments and samples as the loader fills them,
// plus the playback state that the replayer advances one tick at a time.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// The rate the game plays its music at, and the one a module's playback state starts with.
inline constexpr std::int32_t DEFAULT_OUTPUT_RATE = 44100;  // frames per second
// The rates the player renders at, frames per second: from where a mixing block still holds frames
// up to as high as wave devices go.
inline constexpr std::int32_t MIN_OUTPUT_RATE = 1000;
inline constexpr std::int32_t MAX_OUTPUT_RATE = 384'000;
// Whether the player renders at this rate: the one check of a rate.
[[nodiscard]] constexpr bool IsOutputRate(std::int32_t rate) {
    return rate >= MIN_OUTPUT_RATE && rate <= MAX_OUTPUT_RATE;
}

inline constexpr int MAX_CHANNELS = 32;            // channel records the replayer holds
inline constexpr int MAX_ROWS = 256;               // rows a stored pattern may have
inline constexpr int ORDER_TABLE_SIZE = 256;       // entries of the order table
inline constexpr int SAMPLES_PER_INSTRUMENT = 16;  // sample slots of an instrument
inline constexpr int KEYMAP_SIZE = 96;             // notes 1..96
inline constexpr int MAX_ENVELOPE_POINTS = 12;     // points of each envelope
inline constexpr int EMPTY_PATTERN_ROWS = 64;  // rows of a pattern named by the order table but not stored
inline constexpr int SAMPLE_GUARD_FRAMES = 8;  // zeroed frames after each sample's data

// Loop types of a sample.
inline constexpr std::uint8_t LOOP_NONE = 1;
inline constexpr std::uint8_t LOOP_FORWARD = 2;
inline constexpr std::uint8_t LOOP_PINGPONG = 4;

// Module flags.
inline constexpr std::uint16_t FLAG_LINEAR_FREQUENCIES = 1;

// Special note values of a cell.
inline constexpr std::uint8_t NOTE_NONE = 0;
inline constexpr std::uint8_t NOTE_KEY_OFF = 255;

// One cell of a pattern, 5 bytes.
struct PatternCell {
    std::uint8_t note;        // 0 none, 1..96 notes, 255 key off
    std::uint8_t instrument;  // 0 none, 1..128
    std::uint8_t volume;      // volume-column byte
    std::uint8_t effect;      // effect type
    std::uint8_t parameter;   // effect parameter
};
static_assert(sizeof(PatternCell) == 5);

struct Pattern {
    std::int32_t rows = 0;           // 0..256 once loaded; a pattern of 0 rows plays one row of nothing
    std::vector<PatternCell> cells;  // rows x channelCount, row-major, or none: every cell empty
};

struct Sample {
    // Signed 16-bit frames: length frames, then SAMPLE_GUARD_FRAMES readable frames (zero, except the
    // loop's guard frame). Empty when length is 0 (the voice plays nothing).
    std::vector<std::int16_t> data;
    std::uint32_t length = 0;      // frames
    std::uint32_t loopStart = 0;   // frames; loopStart + loopLength <= length once loaded
    std::uint32_t loopLength = 0;  // frames; equal to length when not looping
    std::uint8_t volume = 0;       // 0..64
    std::int8_t finetune = 0;      // changed by E5y while the song plays
    std::int8_t fileFinetune = 0;  // the finetune the file gave, put back at each start of playback
    std::int32_t panning = 0;      // 0..255
    std::uint8_t bits = 16;        // 8 or 16 while loading, 16 afterwards
    std::uint8_t loopType = LOOP_NONE;
    std::int8_t relativeNote = 0;
    // A short forward loop repeated for the mixer (PrepareLaps): the loop's frames again and again,
    // then the loop start and zeroed guard frames. Empty for every other sample.
    std::vector<std::int16_t> laps;
};

// The shared empty sample: no data, length 0. Instruments' unused slots refer to it, and the replayer
// uses it for notes without a usable sample. Lives for the process.
[[nodiscard]] Sample& EmptySample();

struct EnvelopePoint {
    std::uint16_t x;  // tick
    std::uint16_t y;  // value
};

struct Instrument {
    Instrument() { samples.fill(&EmptySample()); }

    std::int32_t sampleCount = 0;  // 0..16
    // Slots 0..sampleCount-1 refer to samples owned by ownedSamples, the others to EmptySample().
    std::array<Sample*, SAMPLES_PER_INSTRUMENT> samples{};
    std::vector<std::unique_ptr<Sample>> ownedSamples;
    std::array<std::uint8_t, KEYMAP_SIZE> keymap{};  // sample slot for notes 1..96
    std::array<EnvelopePoint, MAX_ENVELOPE_POINTS> volumeEnvelope{};
    std::array<EnvelopePoint, MAX_ENVELOPE_POINTS> panningEnvelope{};
    std::uint8_t volumePointCount = 0;   // 0..12 once loaded
    std::uint8_t panningPointCount = 0;  // 0..12 once loaded
    std::uint8_t volumeSustain = 0;      // point indices
    std::uint8_t volumeLoopStart = 0;
    std::uint8_t volumeLoopEnd = 0;
    std::uint8_t panningSustain = 0;  // point indices
    std::uint8_t panningLoopStart = 0;
    std::uint8_t panningLoopEnd = 0;
    std::uint8_t volumeType = 0;   // bit 0 on, bit 1 sustain, bit 2 loop
    std::uint8_t panningType = 0;  // same bits
    std::uint8_t vibratoType = 0;
    std::uint8_t vibratoSweep = 0;
    std::uint8_t vibratoDepth = 0;
    std::uint8_t vibratoRate = 0;
    std::uint16_t fadeout = 0;  // the file's value doubled, kept to 16 bits
};

struct Module;

// Replayer's per-tick entry, stored in the module by the loader.
using TickHandler = void (*)(Module& module);

// Receives a sample's raw bytes instead of the loader's own decoding: (buffer of byteCount bytes
// followed by spare zeroed bytes, byteCount, bits 8 or 16, instrument index, sample index).
using SampleDataHook = void (*)(std::uint8_t* buffer, std::uint32_t byteCount, int bits, int instrumentIndex,
                                int sampleIndex);

// Called by the replayer once per row during the row's first tick, after the row position is set and
// the row's first-tick effects have run (speed and BPM are those the row plays at; the order position
// and row are still the row's own; jumps take effect at the next row). enteredOrder: the row was reached
// by moving to an order entry (start of song, next entry, Bxx, Dxx, wrap to restartPosition), not by the
// next row or a loop jump.
using RowStartHook = void (*)(void* context, const Module& module, bool enteredOrder);

struct Module {
    // Song, filled by the loader.
    std::vector<Pattern> patterns;         // patternCount entries
    std::vector<Instrument> instruments;   // instrumentCount entries
    std::int16_t songLength = 0;           // used order entries, 1..256 once loaded
    std::int16_t restartPosition = 0;      // order index after the last entry, 0..songLength-1 once loaded
    std::int16_t channelCount = 0;         // channels per row, 1..32 once loaded
    std::int32_t highestOrderPattern = 0;  // largest pattern number in the used order entries, plus 1
    std::int32_t patternCount = 0;         // max(stored patterns, highestOrderPattern)
    std::int16_t instrumentCount = 0;
    std::uint16_t flags = 0;                                  // FLAG_LINEAR_FREQUENCIES, else Amiga periods
    std::int16_t defaultSpeed = 0;                            // ticks per row at start
    std::int16_t defaultBpm = 0;                              // beats per minute at start, 1..255 once loaded
    std::array<std::uint8_t, ORDER_TABLE_SIZE> orderTable{};  // pattern number per order position
    std::uint8_t initialGlobalVolume = 0;                     // 64 once loaded
    TickHandler tickHandler = nullptr;                        // the replayer's ModuleTick once loaded
    SampleDataHook sampleDataHook = nullptr;

    // Playback state, reset by StartPlayback and advanced by the replayer.
    std::int32_t outputRate = DEFAULT_OUTPUT_RATE;  // frames per second of the output the module plays to
    std::int32_t samplesLeftInTick = 0;             // output frames still to mix in the current tick
    std::int32_t samplesPerTick = 0;                // output frames per tick, from the BPM
    std::int32_t globalVolume = 0;                  // 0..64
    std::uint8_t globalVolumeSlideMemory = 0;
    std::int32_t tick = 0;   // tick within the row, from 0
    std::int32_t speed = 0;  // ticks per row
    std::int32_t bpm = 0;
    std::int32_t row = 0;
    std::int32_t orderPosition = 0;      // index into orderTable
    std::int32_t patternDelayTicks = 0;  // extra ticks of the current row (EEy)
    std::int32_t nextRow = -1;           // row at the next row start, -1 for none
    std::int32_t nextOrder = -1;         // order position at the next row start, -1 for none
    bool jumpSeen = false;               // a position jump was seen in the current row's cells

    // Row hook for offline tools; not touched by loading or by StartPlayback.
    RowStartHook rowStartHook = nullptr;
    void* rowStartContext = nullptr;
};
