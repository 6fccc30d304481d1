// Bitmap fonts: the glyph table of the 16 by 20 grid and text drawn cell by cell.
#include <gtest/gtest.h>

#include <climits>

#include "platform/core/GdiObjects.h"
#include "platform/core/PlatformState.h"
#include "platform/testing/TestBackend.h"
#include "shell/BitmapFont.h"
#include "tests/platform/DibBuilder.h"

using veskar::platform::TestBackend;
using veskar::testing::TestModule;

namespace {

inline constexpr std::uint32_t UNTOUCHED = 0x123456;
inline constexpr std::uint32_t GRID_LINE = 0xFFFFFF;

// A 640 by 120 sheet: grid lines white, every cell pixel = cell index * 0x10000 + offset in cell.
std::vector<std::uint8_t> sheetDib() {
    return veskar::testing::makeTrueColorDib(640, 120, [](int x, int y) -> std::uint32_t {
        const int cx = x % 16 - 2;
        const int cy = y % 20 - 2;
        if (cx < 0 || cy < 0)
            return GRID_LINE;
        return static_cast<std::uint32_t>((y / 20 * 40 + x / 16) << 16 | (cy * 14 + cx));
    });
}

class BitmapFontTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TestBackend::reset();
        module.addBitmap(104, sheetDib());
        module.addBitmap(105, sheetDib());
        font.load(nullptr, module.handle(), 104, 14, 18, 2);
        dc = CreateCompatibleDC(nullptr);
        target = CreateCompatibleBitmap(dc, 400, 40);
        SelectObject(dc, target);
        std::fill(target->pixels.begin(), target->pixels.end(), UNTOUCHED);
    }
    std::uint32_t at(int x, int y) const { return target->pixels[static_cast<std::size_t>(y) * 400 + x]; }
    // The cell index shown at the top-left of the cell drawn at pen position x, or -1 if untouched.
    int cellAt(int x) const { return at(x, 0) == UNTOUCHED ? -1 : static_cast<int>(at(x, 0) >> 16); }
    int touched() const {
        return static_cast<int>(std::count_if(target->pixels.begin(), target->pixels.end(),
                                              [](std::uint32_t p) { return p != UNTOUCHED; }));
    }

    TestModule module;
    BitmapFont font;
    HDC dc = nullptr;
    HBITMAP target = nullptr;
};

}  // namespace

TEST_F(BitmapFontTest, GlyphTableFollowsTheGrid) {
    EXPECT_EQ(font.glyphs[0].x, 2);
    EXPECT_EQ(font.glyphs[0].y, 2);
    EXPECT_EQ(font.glyphs[39].x, 2 + 39 * 16);
    EXPECT_EQ(font.glyphs[40].x, 2);
    EXPECT_EQ(font.glyphs[40].y, 22);
    EXPECT_EQ(font.glyphs[239].x, 626);
    EXPECT_EQ(font.glyphs[239].y, 102);
    for (int glyph = 240; glyph < 256; ++glyph) {
        EXPECT_EQ(font.glyphs[glyph].x, 0);
        EXPECT_EQ(font.glyphs[glyph].y, 0);
    }
    EXPECT_TRUE(font.loaded);
}

TEST_F(BitmapFontTest, TextIsCopiedCellByCellWithoutGridLines) {
    font.drawText(dc, "AB", 0, 0);
    EXPECT_EQ(cellAt(0), 'A' - 32);
    EXPECT_EQ(cellAt(14), 'B' - 32);
    EXPECT_EQ(at(13, 17), static_cast<std::uint32_t>(('A' - 32) << 16 | (17 * 14 + 13)));
    EXPECT_EQ(touched(), 2 * 14 * 18);
    EXPECT_EQ(std::count(target->pixels.begin(), target->pixels.end(), GRID_LINE), 0);
}

TEST_F(BitmapFontTest, EmptyTextDrawsNothing) {
    font.drawText(dc, "", 0, 0);
    EXPECT_EQ(touched(), 0);
}

TEST_F(BitmapFontTest, SpaceDrawsItsBoxAndScrollMarksHaveTheirCells) {
    const char marks[] = {' ', 127, static_cast<char>(128), static_cast<char>(200), 0};
    font.drawText(dc, marks, 0, 0);
    EXPECT_EQ(cellAt(0), 0);
    EXPECT_EQ(cellAt(14), 95);
    EXPECT_EQ(cellAt(28), 96);
    EXPECT_EQ(cellAt(42), 168) << "high codes show the cells past the triangles";
}

TEST_F(BitmapFontTest, ControlCodesSkipTheirCellButAdvance) {
    font.drawText(dc, "A\tB", 0, 0);
    EXPECT_EQ(cellAt(0), 'A' - 32);
    EXPECT_EQ(cellAt(14), -1);
    EXPECT_EQ(cellAt(28), 'B' - 32);
}

TEST_F(BitmapFontTest, TwentyTwoCharactersSpan308Pixels) {
    font.drawText(dc, "ABCDEFGHIJKLMNOPQRSTUV", 10, 0);
    EXPECT_NE(at(10 + 307, 0), UNTOUCHED);
    EXPECT_EQ(at(10 + 308, 0), UNTOUCHED);
    EXPECT_EQ(at(9, 0), UNTOUCHED);
}

TEST_F(BitmapFontTest, NumbersInDecimal) {
    font.drawNumber(dc, 0, 0, 0);
    EXPECT_EQ(cellAt(0), '0' - 32);
    EXPECT_EQ(touched(), 14 * 18);
    std::fill(target->pixels.begin(), target->pixels.end(), UNTOUCHED);
    font.drawNumber(dc, -5, 0, 0);
    EXPECT_EQ(cellAt(0), '-' - 32);
    EXPECT_EQ(cellAt(14), '5' - 32);
    EXPECT_EQ(cellAt(28), -1);
    std::fill(target->pixels.begin(), target->pixels.end(), UNTOUCHED);
    font.drawNumber(dc, INT32_MIN, 0, 0);
    EXPECT_EQ(cellAt(0), '-' - 32);
    EXPECT_EQ(cellAt(140), '8' - 32);
    EXPECT_EQ(cellAt(154), -1);
    std::fill(target->pixels.begin(), target->pixels.end(), UNTOUCHED);
    font.drawNumber(dc, UINT32_MAX, 0, 0);  // a score: shown as the unsigned number the table compares
    EXPECT_EQ(cellAt(0), '4' - 32);
    EXPECT_EQ(cellAt(126), '5' - 32);
    EXPECT_EQ(cellAt(140), -1);
}

TEST_F(BitmapFontTest, LoadingAgainReleasesTheFirstSheet) {
    const std::size_t live = veskar::platform::state().gdi.liveObjects();
    font.load(nullptr, module.handle(), 105, 14, 18, 2);
    EXPECT_EQ(veskar::platform::state().gdi.liveObjects(), live) << "the first sheet's objects were freed";
    EXPECT_TRUE(font.loaded);
    font.release();
    EXPECT_FALSE(font.loaded);
    EXPECT_FALSE(font.sheet.loaded);
}

TEST_F(BitmapFontTest, MissingSheetOrEmptyGridLeavesEveryGlyphAtTheOrigin) {
    BitmapFont missing;
    missing.load(nullptr, module.handle(), 999, 14, 18, 2);
    EXPECT_EQ(missing.glyphs[33].x, 0);
    missing.drawText(dc, "A", 0, 0);
    EXPECT_EQ(touched(), 0);
    BitmapFont degenerate;
    degenerate.load(nullptr, module.handle(), 105, 0, 0, 0);
    EXPECT_EQ(degenerate.glyphs[1].x, 0) << "a zero pitch lays out nothing instead of dividing by zero";
}
