// Decoding of RIFF/WAVE images for the one-shot sound: the formats it plays, and the refusal of
// anything malformed or cut short without reading outside the bytes given.
#include <gtest/gtest.h>

#include <memory>

#include "platform/audio/WaveImage.h"
#include "tests/platform/WaveBuilder.h"

using veskar::platform::decodeWaveImage;
using veskar::platform::WaveSound;
using veskar::testing::formatBody;
using veskar::testing::pcmImage;
using veskar::testing::riffImage;
using veskar::testing::WaveChunk;

namespace {

// Decodes from a heap block of exactly the image's size, so that AddressSanitizer sees any read
// past it.
bool decodeExact(const std::vector<std::uint8_t>& image, WaveSound& sound) {
    auto copy = std::make_unique<std::uint8_t[]>(image.size());
    std::copy(image.begin(), image.end(), copy.get());
    return decodeWaveImage({copy.get(), image.size()}, sound);
}

std::vector<std::uint8_t> withSize(std::vector<std::uint8_t> image, std::uint32_t riffSize) {
    for (int i = 0; i < 4; ++i) {
        image[4 + i] = static_cast<std::uint8_t>(riffSize >> (8 * i));
    }
    return image;
}

}  // namespace

TEST(WaveImage, DecodesEightBitMonoAndSixteenBitStereo) {
    WaveSound sound;
    ASSERT_TRUE(decodeExact(pcmImage(1, 11025, 8, {128, 255, 0}), sound));
    EXPECT_EQ(sound.rate, 11025u);
    EXPECT_EQ(sound.channels, 1u);
    EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{0, 127 * 256, -128 * 256}));
    ASSERT_TRUE(decodeExact(pcmImage(2, 48000, 16, {0x01, 0x02, 0xFF, 0xFF, 0x00, 0x80, 0xFF, 0x7F}), sound));
    EXPECT_EQ(sound.channels, 2u);
    EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{0x0201, -1, -32768, 32767}));
}

TEST(WaveImage, SkipsOtherChunksAndPadBytes) {
    const std::vector<std::uint8_t> image = riffImage({{"LIST", {'I', 'N', 'F', 'O', 1}},
                                                       {"fmt ", formatBody(1, 1, 22050, 8)},
                                                       {"data", {100, 110, 120}},
                                                       {"fact", {3, 0, 0, 0}}});
    WaveSound sound;
    ASSERT_TRUE(decodeExact(image, sound));
    EXPECT_EQ(sound.samples.size(), 3u);
    // Bytes after the declared length are not part of the image.
    std::vector<std::uint8_t> trailing = image;
    trailing.push_back(0xEE);
    EXPECT_TRUE(decodeExact(trailing, sound));
}

TEST(WaveImage, RefusesMalformedImages) {
    const std::vector<std::uint8_t> data = {1, 2, 3, 4};
    const std::vector<std::uint8_t> valid = pcmImage(1, 11025, 8, data);
    std::vector<std::uint8_t> notRiff = valid;
    notRiff[0] = 'X';
    std::vector<std::uint8_t> notWave = valid;
    notWave[8] = 'X';
    std::vector<std::uint8_t> dataPastTheEnd = valid;
    dataPastTheEnd[40] = 6;  // the data chunk's size: 6 of the 4 bytes left
    const struct {
        const char* what;
        std::vector<std::uint8_t> image;
    } cases[] = {
        {"empty", {}},
        {"not RIFF", notRiff},
        {"not WAVE", notWave},
        {"declares more than it holds", withSize(valid, static_cast<std::uint32_t>(valid.size()))},
        {"declares less than a header", withSize(valid, 2)},
        {"no format", riffImage({{"data", data}})},
        {"no data", riffImage({{"fmt ", formatBody(1, 1, 11025, 8)}})},
        {"data before format", riffImage({{"data", data}, {"fmt ", formatBody(1, 1, 11025, 8)}})},
        {"two formats",
         riffImage(
             {{"fmt ", formatBody(1, 1, 11025, 8)}, {"fmt ", formatBody(1, 1, 11025, 8)}, {"data", data}})},
        {"two data chunks",
         riffImage({{"fmt ", formatBody(1, 1, 11025, 8)}, {"data", data}, {"data", data}})},
        {"short format", riffImage({{"fmt ", {1, 0, 1, 0}}, {"data", data}})},
        {"not PCM", riffImage({{"fmt ", formatBody(3, 1, 11025, 8)}, {"data", data}})},
        {"no channels", riffImage({{"fmt ", formatBody(1, 0, 11025, 8, 1)}, {"data", data}})},
        {"three channels", riffImage({{"fmt ", formatBody(1, 3, 11025, 8)}, {"data", data}})},
        {"12-bit", riffImage({{"fmt ", formatBody(1, 1, 11025, 12, 2)}, {"data", data}})},
        {"block align", riffImage({{"fmt ", formatBody(1, 2, 11025, 16, 2)}, {"data", data}})},
        {"rate too low", pcmImage(1, 999, 8, data)},
        {"rate too high", pcmImage(1, 192001, 8, data)},
        {"empty data", pcmImage(1, 11025, 8, {})},
        {"part of a frame", pcmImage(2, 11025, 16, {1, 2, 3, 4, 5, 6})},
        {"chunk past the end", dataPastTheEnd},
    };
    for (const auto& c : cases) {
        WaveSound sound;
        EXPECT_FALSE(decodeExact(c.image, sound)) << c.what;
    }
}

TEST(WaveImage, ImageCutAtAnyByteIsRefused) {
    const std::vector<std::uint8_t> image =
        riffImage({{"fmt ", formatBody(1, 2, 22050, 16)},
                   {"data", std::vector<std::uint8_t>(40, 7)},
                   {"LIST", {'I', 'N', 'F', 'O', 'I', 'C', 'R', 'D', 1, 0, 0, 0, 'x', 0}}});
    const std::size_t formatAndData = 12 + 24 + 48;  // where the LIST chunk starts
    for (std::size_t length = 0; length < image.size(); ++length) {
        const std::vector<std::uint8_t> cut(image.begin(),
                                            image.begin() + static_cast<std::ptrdiff_t>(length));
        WaveSound sound;
        EXPECT_FALSE(decodeExact(cut, sound)) << "cut at " << length;
        if (length >= 8) {
            // The same cut with a header that admits it: only a cut between whole chunks that
            // keeps the format and the data leaves a sound.
            const bool decoded = decodeExact(withSize(cut, static_cast<std::uint32_t>(length - 8)), sound);
            EXPECT_EQ(decoded, length == formatAndData) << "cut at " << length;
        }
    }
}
