// The RIFF/WAVE files of the game's sound effects: 8-bit unsigned mono PCM, optionally followed by
// an "INFO" list with a creation date and a "fact" chunk with the sample count.
#pragma once

#include <cstdint>
#include <vector>

namespace sfxgen {

enum class WaveExtras {
    None,         // "fmt " and "data" only
    InfoAndFact,  // after "data": a LIST/INFO chunk with one ICRD entry, then a fact chunk
};

// The file bytes for samples (0..255, 128 is silence) at rate frames per second. An odd data chunk
// gets its pad byte.
[[nodiscard]] std::vector<std::uint8_t> encodeWave(const std::vector<std::uint8_t>& samples,
                                                   std::uint32_t rate, WaveExtras extras);

}  // namespace sfxgen
