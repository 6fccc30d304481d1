// Writes a song and its synthesised samples as an extended module ("Extended Module: ").
#pragma once

#include <cstdint>
#include <vector>

#include "tools/xmcompose/SampleSynth.h"
#include "tools/xmcompose/Song.h"

namespace xmcompose {

inline constexpr std::uint32_t HEADER_SIZE = 276;  // from offset 60 to the first pattern
inline constexpr std::uint32_t PATTERN_HEADER_SIZE = 9;
inline constexpr std::uint32_t INSTRUMENT_HEADER_SIZE = 263;  // with one or more samples
inline constexpr std::uint32_t EMPTY_INSTRUMENT_HEADER_SIZE = 29;
inline constexpr std::uint32_t SAMPLE_HEADER_SIZE = 40;

// Packs one pattern's cells: a full cell as its five bytes, otherwise a mask byte (bit 7 set,
// bits 0..4 for note, instrument, volume, effect, parameter) followed by the non-zero fields.
[[nodiscard]] std::vector<std::uint8_t> packPattern(const std::vector<Cell>& cells);

// The whole module. `samples[i]` is the sample of instrument i + 1 (one sample per instrument,
// all 96 keys mapped to it). Linear frequency table; patterns stored 0..patternCount-1.
[[nodiscard]] std::vector<std::uint8_t> writeModule(const Song& song, const std::vector<SampleData>& samples);

}  // namespace xmcompose
