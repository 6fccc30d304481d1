// Surfaces: loading a bitmap resource into its own context, release, and the clipped draws that
// the game uses for jewels and frames of crumbling strips.
#include <gtest/gtest.h>

#include "platform/core/GdiObjects.h"
#include "platform/core/PlatformState.h"
#include "platform/testing/TestBackend.h"
#include "shell/Surface.h"
#include "tests/platform/DibBuilder.h"

using veskar::platform::TestBackend;
using veskar::testing::makeDib;
using veskar::testing::TestModule;

namespace {

inline constexpr std::uint32_t UNTOUCHED = 0x123456;

// Strip 106-like: six 32 by 32 frames, pixel colour = frame * 0x100000 + row (row 0..31).
std::vector<std::uint8_t> stripDib() {
    return makeDib(192, 32, 24, {},
                   [](int x, int y) { return static_cast<std::uint32_t>((x / 32 + 1) * 0x100000 + y); });
}

struct Target {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 100, 100);
    Target() {
        SelectObject(dc, bitmap);
        std::fill(bitmap->pixels.begin(), bitmap->pixels.end(), UNTOUCHED);
    }
    std::uint32_t at(int x, int y) const { return bitmap->pixels[static_cast<std::size_t>(y) * 100 + x]; }
    int touched() const {
        return static_cast<int>(std::count_if(bitmap->pixels.begin(), bitmap->pixels.end(),
                                              [](std::uint32_t p) { return p != UNTOUCHED; }));
    }
};

class SurfaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TestBackend::reset();
        module.addBitmap(108, stripDib());
        strip.load(nullptr, module.handle(), 108);
        target = std::make_unique<Target>();
    }
    TestModule module;
    Surface strip;
    std::unique_ptr<Target> target;  // made after the platform reset
};

}  // namespace

TEST_F(SurfaceTest, LoadTakesTheSizeFromTheBitmap) {
    EXPECT_TRUE(strip.loaded);
    EXPECT_EQ(strip.width, 192);
    EXPECT_EQ(strip.height, 32);
    EXPECT_NE(strip.memoryDC, nullptr);
}

TEST_F(SurfaceTest, PartDrawShowsTheChosenFrame) {
    strip.drawPartClipped(target->dc, 10, 20, 32, 32, 0, 0, 100, 100, 160, 0);
    EXPECT_EQ(target->at(10, 20), 0x600000u) << "the sixth frame";
    EXPECT_EQ(target->at(41, 51), 0x60001Fu);
    EXPECT_EQ(target->touched(), 32 * 32);
}

TEST_F(SurfaceTest, PieceHalfAboveTheClipIsDrawnFromItsCutRow) {
    strip.drawPartClipped(target->dc, 10, 24, 32, 32, 0, 40, 100, 100, 0, 0);
    EXPECT_EQ(target->at(10, 40), 0x100010u) << "source row 16 at the clip's top edge";
    EXPECT_EQ(target->at(10, 39), UNTOUCHED);
    EXPECT_EQ(target->touched(), 32 * 16);
}

TEST_F(SurfaceTest, PieceEntirelyAboveOrTouchingTheTopTransfersNothing) {
    strip.drawPartClipped(target->dc, 10, 7, 32, 32, 0, 40, 100, 100, 0, 0);
    EXPECT_EQ(target->touched(), 0) << "y + 32 < top: rejected";
    strip.drawPartClipped(target->dc, 10, 8, 32, 32, 0, 40, 100, 100, 0, 0);
    EXPECT_EQ(target->touched(), 0) << "bottom edge on the top edge: an empty transfer";
}

TEST_F(SurfaceTest, PieceAtTheRightEdgeTransfersNothing) {
    strip.drawPartClipped(target->dc, 60, 10, 32, 32, 0, 0, 60, 100, 0, 0);
    EXPECT_EQ(target->touched(), 0);
    strip.drawPartClipped(target->dc, 50, 10, 32, 32, 0, 0, 60, 100, 0, 0);
    EXPECT_EQ(target->touched(), 10 * 32) << "right edge exclusive";
    EXPECT_EQ(target->at(59, 10), 0x100000u + 0);
}

TEST_F(SurfaceTest, LeftAndBottomCutsMoveTheSource) {
    strip.drawPartClipped(target->dc, -5, 80, 32, 32, 0, 0, 100, 90, 32, 0);
    EXPECT_EQ(target->at(0, 80), 0x200000u) << "frame 1 from its fifth column";
    EXPECT_EQ(target->touched(), 27 * 10);
}

TEST_F(SurfaceTest, WholeDrawUsesTheSurfaceSize) {
    strip.drawClipped(target->dc, 0, 0, 0, 0, 100, 100, 0, 0);
    EXPECT_EQ(target->touched(), 100 * 32);
    EXPECT_EQ(target->at(99, 31), 0x40001Fu);
}

TEST_F(SurfaceTest, ReleaseFreesTheBitmapAndIsHarmlessTwice) {
    const std::size_t live = veskar::platform::state().gdi.liveObjects();
    strip.release();
    EXPECT_FALSE(strip.loaded);
    EXPECT_EQ(strip.width, 0);
    EXPECT_EQ(veskar::platform::state().gdi.liveObjects(), live - 3)
        << "bitmap, context and its stock bitmap";
    strip.release();
    EXPECT_FALSE(strip.loaded);
}

TEST_F(SurfaceTest, MissingBitmapLeavesAnEmptySurfaceThatDrawsNothing) {
    Surface missing;
    missing.load(nullptr, module.handle(), 999);
    EXPECT_FALSE(missing.loaded);
    EXPECT_EQ(missing.width, 0);
    missing.drawClipped(target->dc, 0, 0, 0, 0, 100, 100, 0, 0);
    missing.drawPartClipped(target->dc, 0, 0, 32, 32, 0, 0, 100, 100, 0, 0);
    EXPECT_EQ(target->touched(), 0);
}
