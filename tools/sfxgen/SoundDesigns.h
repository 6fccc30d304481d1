// The game's four sound effects: how each is made, the file it goes to and the exact layout its
// WAVE resource must have.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/sfxgen/Synth.h"
#include "tools/sfxgen/WaveFile.h"

namespace sfxgen {

struct SoundFile {
    int resource;           // WAVE resource number in resources/veskar.rc
    const char* fileName;   // under resources/sounds/
    std::uint32_t rate;     // frames per second
    std::size_t samples;    // bytes of the data chunk
    WaveExtras extras;      // chunks after the data
    std::size_t fileBytes;  // the size of the whole file, which the resource keeps
    Signal (*design)();     // makes exactly `samples` samples at `rate`
};

// 124 match, 125 land, 126 menu select, 127 menu move.
[[nodiscard]] const std::array<SoundFile, 4>& soundFiles();

// The file bytes of one sound; empty when the design or the layout does not come out at the
// promised sizes.
[[nodiscard]] std::vector<std::uint8_t> makeSoundFile(const SoundFile& file);

}  // namespace sfxgen
