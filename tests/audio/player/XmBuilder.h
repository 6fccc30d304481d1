// Builds extended-module files byte by byte in memory for the music player's tests, and serves them to
// the loader through installed file operations.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio/player/Module.h"

struct XmSampleDesign {
    std::vector<std::uint8_t> data;  // the bytes as stored in the file (already delta-coded)
    std::uint32_t length = 0;        // bytes, as the header says (may differ from data.size())
    std::uint32_t loopStart = 0;     // bytes
    std::uint32_t loopLength = 0;    // bytes
    std::uint8_t volume = 64;
    std::int8_t finetune = 0;
    std::uint8_t type = 0;  // bit 0 forward loop, bit 1 ping-pong, bit 4 16-bit
    std::uint8_t panning = 128;
    std::int8_t relativeNote = 0;
};

struct XmInstrumentDesign {
    std::vector<XmSampleDesign> samples;
    std::int32_t sampleCountField = -1;  // number-of-samples field; -1: samples.size()
    std::uint32_t headerSize = 263;      // instrument header size field
    std::array<std::uint8_t, 96> keymap{};
    std::array<std::uint16_t, 24> volumeEnvelope{};  // x, y pairs
    std::uint8_t volumePoints = 0;
    std::uint8_t volumeType = 0;
    std::uint8_t volumeSustain = 0, volumeLoopStart = 0, volumeLoopEnd = 0;
    std::array<std::uint16_t, 24> panningEnvelope{};  // x, y pairs
    std::uint8_t panningPoints = 0;
    std::uint8_t panningType = 0;
    std::uint8_t panningSustain = 0, panningLoopStart = 0, panningLoopEnd = 0;
    std::uint16_t fadeout = 0;
    std::uint8_t vibratoType = 0, vibratoSweep = 0, vibratoDepth = 0, vibratoRate = 0;
};

struct XmPatternDesign {
    std::uint16_t rows = 64;
    std::vector<std::uint8_t> packed;   // cell data as stored; its size is the packed-size field
    std::int32_t packedSizeField = -1;  // -1: packed.size()
};

struct XmDesign {
    std::uint16_t songLength = 1;
    std::uint16_t restartPosition = 0;
    std::uint16_t channels = 4;
    std::int32_t patternCountField = -1;     // -1: patterns.size()
    std::int32_t instrumentCountField = -1;  // -1: instruments.size()
    std::uint16_t flags = 1;
    std::uint16_t speed = 6;
    std::uint16_t bpm = 125;
    std::uint32_t headerSize = 276;
    std::array<std::uint8_t, 256> orders{};
    std::vector<XmPatternDesign> patterns;
    std::vector<XmInstrumentDesign> instruments;
};

// The file's bytes.
[[nodiscard]] std::vector<std::uint8_t> BuildXm(const XmDesign& design);

// Packs cells into the unpacked five-byte form (first byte the note, high bit clear).
[[nodiscard]] std::vector<std::uint8_t> PlainCells(const std::vector<PatternCell>& cells);
// Packs one cell with a mask byte listing only its non-zero fields.
void AppendPackedCell(std::vector<std::uint8_t>& out, const PatternCell& cell);

// 8-bit delta coding of signed values, and 16-bit delta coding (little-endian).
[[nodiscard]] std::vector<std::uint8_t> Delta8(const std::vector<std::int8_t>& values);
[[nodiscard]] std::vector<std::uint8_t> Delta16(const std::vector<std::int16_t>& values);

// Installs file operations that serve bytes under any file name ("missing" opens nothing).
void ServeBytes(const std::vector<std::uint8_t>& bytes);
// Loads bytes through CreateModule.
[[nodiscard]] std::unique_ptr<Module> LoadBytes(const std::vector<std::uint8_t>& bytes);

// A one-pattern, one-instrument module of channels channels with an 8-bit sample of frames frames.
[[nodiscard]] XmDesign SimpleDesign(int channels = 4);
