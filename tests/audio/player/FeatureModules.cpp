// The feature modules: one instrument set with every loop kind and envelope kind, and patterns that
// walk through the effects, the volume column, the extended effects and the song-flow effects.
#include "tests/audio/player/FeatureModules.h"

#include <cmath>

namespace {

inline constexpr int CHANNELS = 4;
inline constexpr std::uint8_t KEY_OFF = 97;

std::vector<std::int8_t> Wave8(int frames) {
    std::vector<std::int8_t> wave;
    for (int frame = 0; frame < frames; ++frame)
        wave.push_back(static_cast<std::int8_t>(std::lround(100.0 * std::sin(frame * 0.39))));
    return wave;
}

std::vector<std::int16_t> Wave16(int frames) {
    std::vector<std::int16_t> wave;
    for (int frame = 0; frame < frames; ++frame)
        wave.push_back(static_cast<std::int16_t>(std::lround(20000.0 * std::sin(frame * 0.23))));
    return wave;
}

// type: bit 0 forward, bit 1 ping-pong, bit 4 16-bit; loop points in frames.
XmSampleDesign MakeSample(std::uint8_t type, int frames, int loopStart, int loopLength,
                          std::uint8_t panning) {
    XmSampleDesign sample;
    const int bytesPerFrame = (type & 0x10) != 0 ? 2 : 1;
    sample.data = bytesPerFrame == 2 ? Delta16(Wave16(frames)) : Delta8(Wave8(frames));
    sample.length = static_cast<std::uint32_t>(frames * bytesPerFrame);
    sample.loopStart = static_cast<std::uint32_t>(loopStart * bytesPerFrame);
    sample.loopLength = static_cast<std::uint32_t>(loopLength * bytesPerFrame);
    sample.type = type;
    sample.panning = panning;
    sample.finetune = static_cast<std::int8_t>(loopStart * 7 - 40);
    sample.relativeNote = static_cast<std::int8_t>(loopLength % 5 - 2);
    return sample;
}

// Every loop kind in one instrument, a sixteenth of the keyboard each; both envelopes with sustain
// and loop; square auto-vibrato.
XmInstrumentDesign LoopsInstrument() {
    XmInstrumentDesign instrument;
    instrument.samples = {MakeSample(0x00, 64, 0, 0, 128),  MakeSample(0x01, 64, 16, 32, 0),
                          MakeSample(0x02, 48, 0, 32, 255), MakeSample(0x12, 96, 40, 24, 64),
                          MakeSample(0x11, 80, 0, 80, 192), MakeSample(0x03, 40, 20, 1, 100)};
    for (std::size_t key = 0; key < instrument.keymap.size(); ++key)
        instrument.keymap[key] = static_cast<std::uint8_t>(key / 16);
    instrument.volumeEnvelope = {0, 64, 10, 32, 20, 48, 40, 0};
    instrument.volumePoints = 4;
    instrument.volumeSustain = 1;
    instrument.volumeLoopStart = 1;
    instrument.volumeLoopEnd = 2;
    instrument.volumeType = 7;
    instrument.panningEnvelope = {0, 32, 8, 0, 16, 64, 30, 32};
    instrument.panningPoints = 4;
    instrument.panningSustain = 2;
    instrument.panningLoopEnd = 2;
    instrument.panningType = 7;
    instrument.fadeout = 800;
    instrument.vibratoType = 1;
    instrument.vibratoSweep = 4;
    instrument.vibratoDepth = 8;
    instrument.vibratoRate = 20;
    return instrument;
}

// A ping-pong loop from frame 0 on every key; no envelopes; auto-vibrato of the given type.
XmInstrumentDesign PingPongInstrument(std::uint8_t vibratoType, std::uint8_t volumeType) {
    XmInstrumentDesign instrument;
    instrument.samples = {MakeSample(0x02, 24, 0, 24, 128)};
    instrument.volumeEnvelope = {0, 0, 4, 64, 9, 20};
    instrument.volumePoints = 3;
    instrument.volumeType = volumeType;
    instrument.vibratoType = vibratoType;
    instrument.vibratoDepth = 15;
    instrument.vibratoRate = 255;
    return instrument;
}

struct Grid {
    std::vector<PatternCell> cells;
    PatternCell& at(int row, int channel) {
        return cells[static_cast<std::size_t>(row * CHANNELS + channel)];
    }
};

XmPatternDesign Packed(Grid& grid, int rows) {
    XmPatternDesign pattern;
    pattern.rows = static_cast<std::uint16_t>(rows);
    for (const PatternCell& cell : grid.cells)
        AppendPackedCell(pattern.packed, cell);
    return pattern;
}

// One row per effect number (flow effects aside), each with a note; the next channel continues the
// effect from its memory; the volume column sweeps its ranges; extended effects on the last channel.
XmPatternDesign EffectsPattern() {
    constexpr int ROWS = 36;
    Grid grid{std::vector<PatternCell>(ROWS * CHANNELS, PatternCell{})};
    for (int row = 0; row < ROWS; ++row) {
        const auto effect = static_cast<std::uint8_t>(row == 0x0B || row == 0x0D ? 0x0C : row);
        const auto parameter = static_cast<std::uint8_t>((row * 37 + 0x13) & 0xFF);
        const auto note = static_cast<std::uint8_t>(1 + (row * 11) % 96);
        grid.at(row, 0) = PatternCell{note, static_cast<std::uint8_t>(1 + row % 3), 0, effect, parameter};
        grid.at(row, 1) = PatternCell{0, 0, 0, effect, 0};
        grid.at(row, 2) = PatternCell{static_cast<std::uint8_t>(row % 4 == 0 ? note : 0), 2,
                                      static_cast<std::uint8_t>(0x10 + row * 7), 0, 0};
        const auto sub = static_cast<std::uint8_t>(((row % 16) << 4) | (1 + row % 5));
        const bool flowSub = (sub >> 4) == 0x6 || (sub >> 4) == 0xE;
        grid.at(row, 3) = PatternCell{static_cast<std::uint8_t>(row % 2 == 0 ? 30 + row : 0), 3, 0,
                                      static_cast<std::uint8_t>(flowSub ? 0 : 0x0E), sub};
    }
    grid.at(20, 0).note = KEY_OFF;
    grid.at(30, 2).note = 255;
    return Packed(grid, ROWS);
}

// Tone portamento, offsets past the loop on a ping-pong loop from frame 0, envelope positions,
// retriggers, delays, cuts, the highest and lowest notes, key off.
XmPatternDesign NotesPattern() {
    constexpr int ROWS = 16;
    Grid grid{std::vector<PatternCell>(ROWS * CHANNELS, PatternCell{})};
    const PatternCell cells[ROWS] = {
        {49, 1, 0x40, 0x03, 0x00}, {61, 0, 0, 0x03, 0x20},    {37, 0, 0xF4, 0x05, 0x0F},
        {49, 2, 0, 0x09, 0x80},    {96, 2, 0, 0x09, 0x01},    {1, 1, 0, 0x15, 0x0C},
        {25, 1, 0, 0x1B, 0x93},    {25, 1, 0, 0x1D, 0x21},    {73, 1, 0xB8, 0x0E, 0xD3},
        {73, 1, 0, 0x0E, 0xC2},    {KEY_OFF, 0, 0, 0x14, 0},  {13, 3, 0, 0x0E, 0x93},
        {96, 1, 0, 0x00, 0x47},    {85, 2, 0xA4, 0x06, 0x32}, {2, 0, 0, 0x21, 0x15},
        {2, 0, 0, 0x21, 0x2F},
    };
    for (int row = 0; row < ROWS; ++row) {
        grid.at(row, 0) = cells[row];
        grid.at(row, 1) = PatternCell{static_cast<std::uint8_t>(96 - row), 2, 0, 0x09, 0xFF};
        grid.at(row, 2) = PatternCell{static_cast<std::uint8_t>(row % 3 == 0 ? 80 : 0), 4, 0, 0x04, 0xF8};
    }
    return Packed(grid, ROWS);
}

// Speed and tempo, global volume, pattern loop and delay, a break and a jump back.
XmPatternDesign FlowPattern() {
    constexpr int ROWS = 8;
    Grid grid{std::vector<PatternCell>(ROWS * CHANNELS, PatternCell{})};
    const PatternCell cells[ROWS] = {
        {49, 1, 0, 0x0F, 0x03}, {0, 0, 0, 0x0F, 0xA0}, {0, 0, 0, 0x10, 0x20}, {0, 0, 0, 0x11, 0x0F},
        {0, 0, 0, 0x0E, 0x60},  {0, 0, 0, 0x0E, 0x62}, {0, 0, 0, 0x0E, 0xE1}, {0, 0, 0, 0x0D, 0x02},
    };
    for (int row = 0; row < ROWS; ++row)
        grid.at(row, 0) = cells[row];
    grid.at(7, 1) = PatternCell{0, 0, 0, 0x0B, 0x00};
    return Packed(grid, ROWS);
}

XmDesign BaseDesign(std::uint16_t flags) {
    XmDesign design;
    design.channels = CHANNELS;
    design.flags = flags;
    design.instruments = {LoopsInstrument(), PingPongInstrument(0, 0), PingPongInstrument(2, 1),
                          PingPongInstrument(3, 5), XmInstrumentDesign{}};
    return design;
}

}  // namespace

std::vector<NamedDesign> FeatureDesigns() {
    std::vector<NamedDesign> designs;
    for (const std::uint16_t flags : {std::uint16_t{1}, std::uint16_t{0}}) {
        XmDesign design = BaseDesign(flags);
        design.patterns = {EffectsPattern(), FlowPattern()};
        design.songLength = 2;
        design.orders[1] = 1;
        designs.push_back({flags != 0 ? "effects-linear" : "effects-amiga", design});
    }
    XmDesign notes = BaseDesign(1);
    notes.patterns = {NotesPattern(), FlowPattern()};
    notes.songLength = 3;
    notes.orders = {0, 1, 0};
    notes.speed = 3;
    notes.bpm = 200;
    designs.push_back({"notes-and-loops", notes});
    return designs;
}
