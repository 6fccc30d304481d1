// The RIFF/WAVE images that the one-shot sound plays: checked chunk by chunk and decoded to 16-bit
// samples, never reading outside the bytes given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace veskar::platform {

inline constexpr std::uint32_t MIN_WAVE_RATE = 1000;  // frames per second the resampler serves
inline constexpr std::uint32_t MAX_WAVE_RATE = 192000;
inline constexpr std::uint32_t MAX_WAVE_IMAGE_BYTES = 32u << 20;  // a one-shot sound, not a song

// PCM decoded from an image.
struct WaveSound {
    std::uint32_t rate = 0;             // frames per second
    std::uint32_t channels = 0;         // 1 or 2
    std::vector<std::int16_t> samples;  // interleaved frames, full 16-bit scale
};

// The length a RIFF image declares for itself (8 + its RIFF size), read from its first 8 bytes; 0
// when `header` does not start with "RIFF". Only the first 4 bytes are read unless they match.
[[nodiscard]] std::uint64_t declaredWaveLength(const std::uint8_t* header);

// Decodes a RIFF/WAVE image of PCM (format tag 1, 1 or 2 channels, 8-bit unsigned or 16-bit
// signed, a consistent block align, a rate between the limits): a "fmt " chunk before the one
// "data" chunk, other chunks skipped, every chunk inside the length the RIFF header declares,
// which must itself fit in `image` and in MAX_WAVE_IMAGE_BYTES. False for anything else, or for no
// frames at all.
[[nodiscard]] bool decodeWaveImage(std::span<const std::uint8_t> image, WaveSound& sound);

}  // namespace veskar::platform
