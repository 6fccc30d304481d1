// The four WAVE resources embedded in the program, read chunk by chunk: PCM formats, the chunk
// layout and the exact data and resource sizes the game's sounds have.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace {

std::uint32_t u32(const std::uint8_t* bytes) {
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

std::uint32_t u16(const std::uint8_t* bytes) {
    return bytes[0] | (bytes[1] << 8);
}

struct Chunk {
    std::string id;
    std::uint32_t size;
    bool operator==(const Chunk&) const = default;
};

}  // namespace

TEST(SoundResources, FormatsChunksAndSizes) {
    const struct {
        int resource;
        DWORD bytes;
        std::uint32_t rate;
        std::vector<Chunk> chunks;
    } sounds[] = {
        {124, 9458, 11025, {{"fmt ", 16}, {"data", 9414}}},
        {125, 1390, 11025, {{"fmt ", 16}, {"data", 1345}}},
        {126, 1034, 22050, {{"fmt ", 16}, {"data", 946}, {"LIST", 24}, {"fact", 4}}},
        {127, 1034, 22050, {{"fmt ", 16}, {"data", 946}, {"LIST", 24}, {"fact", 4}}},
    };
    std::vector<std::vector<std::uint8_t>> samples;
    for (const auto& sound : sounds) {
        HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(sound.resource), "WAVE");
        ASSERT_NE(info, nullptr) << sound.resource;
        const DWORD size = SizeofResource(nullptr, info);
        ASSERT_EQ(size, sound.bytes) << sound.resource;
        const auto* image = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, info)));
        ASSERT_EQ(std::string(reinterpret_cast<const char*>(image), 4), "RIFF");
        EXPECT_EQ(u32(image + 4), size - 8);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(image + 8), 4), "WAVE");
        std::vector<Chunk> chunks;
        std::size_t offset = 12;
        while (offset + 8 <= size && chunks.size() < 8) {
            const std::uint8_t* header = image + offset;
            chunks.push_back({std::string(reinterpret_cast<const char*>(header), 4), u32(header + 4)});
            const std::uint8_t* body = header + 8;
            if (chunks.back().id == "fmt ") {
                // PCM, mono, the rate, one byte a second per frame, block align 1, 8 bits.
                EXPECT_EQ(u16(body), 1u);
                EXPECT_EQ(u16(body + 2), 1u);
                EXPECT_EQ(u32(body + 4), sound.rate);
                EXPECT_EQ(u32(body + 8), sound.rate);
                EXPECT_EQ(u16(body + 12), 1u);
                EXPECT_EQ(u16(body + 14), 8u);
            } else if (chunks.back().id == "data") {
                samples.emplace_back(body, body + chunks.back().size);
            } else if (chunks.back().id == "LIST") {
                EXPECT_EQ(std::string(reinterpret_cast<const char*>(body), 8), "INFOICRD");
            } else if (chunks.back().id == "fact") {
                EXPECT_EQ(u32(body), 946u) << "the sample count";
            }
            offset += 8 + chunks.back().size + chunks.back().size % 2;
        }
        EXPECT_EQ(chunks, sound.chunks) << sound.resource;
        EXPECT_EQ(offset, size) << sound.resource << ": the chunks fill the resource";
        EXPECT_EQ(sndPlaySoundA(reinterpret_cast<LPCSTR>(image), SND_ASYNC | SND_NODEFAULT | SND_MEMORY),
                  TRUE)
            << sound.resource << " plays";
    }
    (void)sndPlaySoundA(nullptr, 0);
    ASSERT_EQ(samples.size(), 4u);
    EXPECT_NE(samples[2], samples[3]) << "the two menu sounds differ";
}
