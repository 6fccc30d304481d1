// The program icon: a well-formed .ico with a 32 x 32 image whose jewel is opaque and whose corners
// are transparent.
#include "tests/resources/BmpFile.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t little(const std::vector<std::uint8_t>& b, std::size_t at, int count) {
    std::uint32_t v = 0;
    for (int i = count - 1; i >= 0; --i) {
        v = (v << 8) | b[at + std::size_t(i)];
    }
    return v;
}

TEST(Icon, HoldsA32By32ImageWithTransparentCorners) {
    const std::vector<std::uint8_t> ico = readBytes(resourcesDir() / "icons" / "veskar.ico");
    ASSERT_GE(ico.size(), 6U);
    EXPECT_EQ(little(ico, 0, 2), 0U);
    EXPECT_EQ(little(ico, 2, 2), 1U);
    const std::uint32_t count = little(ico, 4, 2);
    ASSERT_GE(count, 1U);
    ASSERT_GE(ico.size(), 6 + 16 * std::size_t(count));
    bool found = false;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * std::size_t(i);
        const std::uint32_t bytes = little(ico, entry + 8, 4);
        const std::uint32_t offset = little(ico, entry + 12, 4);
        ASSERT_LE(std::size_t(offset) + bytes, ico.size()) << "image " << i;
        if (ico[entry] != 32 || ico[entry + 1] != 32) {
            continue;
        }
        found = true;
        ASSERT_EQ(little(ico, offset, 4), 40U);
        EXPECT_EQ(little(ico, offset + 4, 4), 32U);
        EXPECT_EQ(little(ico, offset + 8, 4), 64U);  // colour rows and mask rows
        ASSERT_EQ(little(ico, offset + 14, 2), 32U);
        ASSERT_GE(bytes, 40U + 32 * 32 * 4 + 32 * 4);
        const auto alpha = [&](int x, int y) {
            return ico[offset + 40 + std::size_t((31 - y) * 32 + x) * 4 + 3];
        };
        EXPECT_EQ(alpha(0, 0), 0);
        EXPECT_EQ(alpha(31, 31), 0);
        EXPECT_EQ(alpha(16, 16), 255);
    }
    EXPECT_TRUE(found);
}

// The RGBA pixels of a PNG whose image data is kept in stored deflate blocks, as the generator
// writes them; empty for anything else.
std::vector<std::uint8_t> storedPngPixels(const std::vector<std::uint8_t>& png, int side) {
    const auto big = [&](std::size_t at) {
        return (std::uint32_t(png[at]) << 24) | (std::uint32_t(png[at + 1]) << 16) |
               (std::uint32_t(png[at + 2]) << 8) | png[at + 3];
    };
    std::vector<std::uint8_t> zlib;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = big(at);
        if (at + 12 + length > png.size()) {
            return {};
        }
        if (std::string(png.begin() + std::ptrdiff_t(at) + 4, png.begin() + std::ptrdiff_t(at) + 8) ==
            "IDAT") {
            zlib.insert(zlib.end(), png.begin() + std::ptrdiff_t(at) + 8,
                        png.begin() + std::ptrdiff_t(at + 8 + length));
        }
        at += 12 + length;
    }
    std::vector<std::uint8_t> raw;
    for (std::size_t at = 2; at + 5 <= zlib.size();) {
        const std::size_t count = zlib[at + 1] | (zlib[at + 2] << 8);
        if (at + 5 + count > zlib.size()) {
            return {};
        }
        raw.insert(raw.end(), zlib.begin() + std::ptrdiff_t(at) + 5,
                   zlib.begin() + std::ptrdiff_t(at + 5 + count));
        const bool last = (zlib[at] & 1) != 0;
        at += 5 + count;
        if (last) {
            break;
        }
    }
    std::vector<std::uint8_t> pixels;
    const std::size_t stride = 1 + 4 * std::size_t(side);
    for (std::size_t row = 0; row < std::size_t(side) && (row + 1) * stride <= raw.size(); ++row) {
        pixels.insert(pixels.end(), raw.begin() + std::ptrdiff_t(row * stride + 1),
                      raw.begin() + std::ptrdiff_t((row + 1) * stride));
    }
    return pixels;
}

TEST(Icon, ThemeIconOfThe32PixelSizeIsTheIcosImage) {
    const std::vector<std::uint8_t> ico = readBytes(resourcesDir() / "icons" / "veskar.ico");
    const std::vector<std::uint8_t> png = readBytes(resourcesDir() / "icons/hicolor/32x32/apps/veskar.png");
    ASSERT_GT(png.size(), 8U);
    const std::vector<std::uint8_t> pixels = storedPngPixels(png, 32);
    ASSERT_EQ(pixels.size(), 32U * 32U * 4U);
    const std::size_t offset = little(ico, 6 + 12, 4) + 40;  // the first image is the 32 x 32 one
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const std::size_t bmp = offset + std::size_t((31 - y) * 32 + x) * 4;  // BGRA, bottom-up
            const std::size_t rgba = std::size_t(y * 32 + x) * 4;
            ASSERT_EQ(pixels[rgba], ico[bmp + 2]) << x << "," << y;
            ASSERT_EQ(pixels[rgba + 1], ico[bmp + 1]) << x << "," << y;
            ASSERT_EQ(pixels[rgba + 2], ico[bmp]) << x << "," << y;
            ASSERT_EQ(pixels[rgba + 3], ico[bmp + 3]) << x << "," << y;
        }
    }
}

}  // namespace
