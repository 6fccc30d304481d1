// Decoding of bitmap and icon images: the colour depths the game's art uses, row order and
// padding, and clean refusal of anything truncated or malformed.
#include <gtest/gtest.h>

#include "platform/core/DibDecoder.h"
#include "tests/platform/DibBuilder.h"

using veskar::platform::decodeDib;
using veskar::platform::DecodedImage;
using veskar::platform::decodeIconFile;
using veskar::platform::DibLayout;
using veskar::testing::makeDib;

namespace {

const std::vector<std::uint32_t> SIXTEEN_COLORS = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                                   0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                                   0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

std::uint32_t at(const DecodedImage& image, int x, int y) {
    return image.pixels[static_cast<std::size_t>(y) * image.width + x];
}

}  // namespace

TEST(DibDecoder, FourBitOddWidthWithPadding) {
    // 5 pixels of 4 bits need 3 bytes per row, padded to 4.
    const auto dib = makeDib(5, 3, 4, SIXTEEN_COLORS,
                             [](int x, int y) { return static_cast<std::uint32_t>((x + 5 * y) % 16); });
    DecodedImage image;
    ASSERT_TRUE(decodeDib(dib, DibLayout::Bitmap, image));
    ASSERT_EQ(image.width, 5);
    ASSERT_EQ(image.height, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(at(image, x, y), SIXTEEN_COLORS[(x + 5 * y) % 16]) << x << "," << y;
        }
    }
}

TEST(DibDecoder, EightBitBottomUpAndTopDownAgree) {
    std::vector<std::uint32_t> palette(256);
    for (std::uint32_t i = 0; i < 256; ++i)
        palette[i] = i * 0x010203u & 0xFFFFFF;
    const auto value = [](int x, int y) { return static_cast<std::uint32_t>(x * 7 + y * 31) & 0xFF; };
    DecodedImage bottomUp;
    DecodedImage topDown;
    ASSERT_TRUE(decodeDib(makeDib(7, 4, 8, palette, value), DibLayout::Bitmap, bottomUp));
    ASSERT_TRUE(decodeDib(makeDib(7, 4, 8, palette, value, true), DibLayout::Bitmap, topDown));
    EXPECT_EQ(bottomUp.pixels, topDown.pixels);
    EXPECT_EQ(at(bottomUp, 0, 0), palette[0]);
    EXPECT_EQ(at(bottomUp, 6, 3), palette[value(6, 3)]) << "the last stored row is the top one";
}

TEST(DibDecoder, TwentyFourBitKeepsColours) {
    const auto dib = makeDib(3, 2, 24, {},
                             [](int x, int y) { return static_cast<std::uint32_t>(0x102030 * (x + 1) + y); });
    DecodedImage image;
    ASSERT_TRUE(decodeDib(dib, DibLayout::Bitmap, image));
    EXPECT_EQ(at(image, 0, 0), 0x102030u);
    EXPECT_EQ(at(image, 2, 1), 0x306091u);
}

TEST(DibDecoder, IndexBeyondAShortPaletteIsBlack) {
    const auto dib = makeDib(2, 1, 8, {0x112233, 0x445566}, [](int x, int) { return x == 0 ? 1u : 200u; });
    DecodedImage image;
    ASSERT_TRUE(decodeDib(dib, DibLayout::Bitmap, image));
    EXPECT_EQ(at(image, 0, 0), 0x445566u);
    EXPECT_EQ(at(image, 1, 0), 0u);
}

TEST(DibDecoder, EveryTruncationIsRefused) {
    const auto dib =
        makeDib(9, 5, 4, SIXTEEN_COLORS, [](int x, int) { return static_cast<std::uint32_t>(x); });
    DecodedImage image;
    for (std::size_t length = 0; length < dib.size(); ++length) {
        std::vector<std::uint8_t> cut(dib.begin(), dib.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_FALSE(decodeDib(cut, DibLayout::Bitmap, image)) << "length " << length;
        EXPECT_TRUE(image.pixels.empty());
    }
    EXPECT_TRUE(decodeDib(dib, DibLayout::Bitmap, image));
}

TEST(DibDecoder, MalformedHeadersAreRefused) {
    const auto good = makeDib(4, 4, 8, std::vector<std::uint32_t>(256), [](int, int) { return 0u; });
    DecodedImage image;
    const auto broken = [&](std::size_t at, std::uint32_t value) {
        auto copy = good;
        for (int b = 0; b < 4; ++b)
            copy[at + b] = static_cast<std::uint8_t>(value >> (8 * b));
        return decodeDib(copy, DibLayout::Bitmap, image);
    };
    EXPECT_FALSE(broken(0, 12)) << "header too small";
    EXPECT_FALSE(broken(0, 0xFFFFFFF0u)) << "header larger than the data";
    EXPECT_FALSE(broken(4, 0)) << "zero width";
    EXPECT_FALSE(broken(4, 0x80000000u)) << "negative width";
    EXPECT_FALSE(broken(4, 20000)) << "too wide";
    EXPECT_FALSE(broken(8, 0)) << "zero height";
    EXPECT_FALSE(broken(8, 0x80000000u)) << "most negative height";
    EXPECT_FALSE(broken(16, 1)) << "run-length compressed";
    EXPECT_FALSE(broken(32, 257)) << "more palette entries than 8 bits can index";
    EXPECT_FALSE(broken(12, 16 << 16 | 1)) << "16 bits per pixel";
    EXPECT_TRUE(broken(32, 256));
}

TEST(DibDecoder, IconImageUsesItsMaskForTransparency) {
    // A 2 by 2 icon image of 24 bits: the header's height counts the colour rows and the AND mask.
    auto image24 = makeDib(2, 2, 24, {}, [](int x, int) { return x == 0 ? 0xFF0000u : 0x00FF00u; });
    image24[8] = 4;
    image24.insert(image24.end(),
                   {0x80, 0, 0, 0, 0x80, 0, 0, 0});  // mask rows: the first pixel shows through
    std::vector<std::uint8_t> ico;
    veskar::testing::putU16(ico, 0);
    veskar::testing::putU16(ico, 1);
    veskar::testing::putU16(ico, 1);
    ico.insert(ico.end(), {2, 2, 0, 0});
    veskar::testing::putU16(ico, 1);
    veskar::testing::putU16(ico, 24);
    veskar::testing::putU32(ico, static_cast<std::uint32_t>(image24.size()));
    veskar::testing::putU32(ico, 22);
    ico.insert(ico.end(), image24.begin(), image24.end());
    DecodedImage icon;
    ASSERT_TRUE(decodeIconFile(ico, icon));
    ASSERT_EQ(icon.width, 2);
    ASSERT_EQ(icon.height, 2);
    EXPECT_EQ(at(icon, 0, 0) >> 24, 0u) << "masked pixel is transparent";
    EXPECT_EQ(at(icon, 1, 0), 0xFF00FF00u);
    for (std::size_t length = 0; length < ico.size(); ++length) {
        std::vector<std::uint8_t> cut(ico.begin(), ico.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_FALSE(decodeIconFile(cut, icon)) << "length " << length;
    }
}
