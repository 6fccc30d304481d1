// Test helper: RIFF/WAVE images built chunk by chunk, well-formed or not.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace veskar::testing {

struct WaveChunk {
    std::string id;  // four characters
    std::vector<std::uint8_t> body;
};

inline void putU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

inline void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    putU16(out, value & 0xFFFF);
    putU16(out, value >> 16);
}

// The 16-byte body of a "fmt " chunk; blockAlign 0 means the consistent one.
inline std::vector<std::uint8_t> formatBody(std::uint32_t tag, std::uint32_t channels, std::uint32_t rate,
                                            std::uint32_t bits, std::uint32_t blockAlign = 0) {
    const std::uint32_t align = blockAlign != 0 ? blockAlign : channels * bits / 8;
    std::vector<std::uint8_t> body;
    putU16(body, tag);
    putU16(body, channels);
    putU32(body, rate);
    putU32(body, rate * align);
    putU16(body, align);
    putU16(body, bits);
    return body;
}

// "RIFF", the size, "WAVE" and the chunks, each odd one padded.
inline std::vector<std::uint8_t> riffImage(const std::vector<WaveChunk>& chunks) {
    std::vector<std::uint8_t> image = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const WaveChunk& chunk : chunks) {
        image.insert(image.end(), chunk.id.begin(), chunk.id.end());
        putU32(image, static_cast<std::uint32_t>(chunk.body.size()));
        image.insert(image.end(), chunk.body.begin(), chunk.body.end());
        if (chunk.body.size() % 2 != 0) {
            image.push_back(0);
        }
    }
    std::vector<std::uint8_t> size;
    putU32(size, static_cast<std::uint32_t>(image.size() - 8));
    std::copy(size.begin(), size.end(), image.begin() + 4);
    return image;
}

// A plain PCM image: "fmt " then "data".
inline std::vector<std::uint8_t> pcmImage(std::uint32_t channels, std::uint32_t rate, std::uint32_t bits,
                                          std::vector<std::uint8_t> data) {
    return riffImage({{"fmt ", formatBody(1, channels, rate, bits)}, {"data", std::move(data)}});
}

}  // namespace veskar::testing
