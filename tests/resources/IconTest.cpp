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

}  // namespace
