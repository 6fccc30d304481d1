// The picture's enlargement: the factor and place on the window's surface, and enlarged frames that
// are exact replicas of the frame, every pixel a square block.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/sdl/FrameLayout.h"

using veskar::platform::layFrame;
using veskar::platform::scaleNearest;

TEST(FrameLayout, WholeFactorThatFitsCentredOnTheSurface) {
    struct Case {
        int surfaceWidth, surfaceHeight, scale;
        int factor, x, y;
    };
    // The game's client area is 634 x 455.
    const Case cases[] = {
        {634, 455, 1, 1, 0, 0},       // the plain window
        {1268, 910, 2, 2, 0, 0},      // --scale 2
        {640, 480, 0, 1, 3, 12},      // full screen on a 640 x 480 display
        {1920, 1080, 0, 2, 326, 85},  // full screen: 1080 / 455 allows 2, 1920 / 634 allows 3
        {3840, 2160, 0, 4, 652, 170},
        {1268, 910, 3, 2, 0, 0},  // a window kept smaller than asked: the factor that fits
        {600, 400, 1, 1, 0, 0},   // smaller than the frame: its top left at 1:1
    };
    for (const Case& c : cases) {
        const auto layout = layFrame(c.surfaceWidth, c.surfaceHeight, 634, 455, c.scale);
        EXPECT_EQ(layout.factor, c.factor)
            << c.surfaceWidth << "x" << c.surfaceHeight << " scale " << c.scale;
        EXPECT_EQ(layout.x, c.x) << c.surfaceWidth << "x" << c.surfaceHeight << " scale " << c.scale;
        EXPECT_EQ(layout.y, c.y) << c.surfaceWidth << "x" << c.surfaceHeight << " scale " << c.scale;
    }
}

TEST(FrameLayout, EnlargedFrameReplicatesEveryPixelAndStaysInItsRows) {
    const int width = 7;
    const int height = 5;
    std::vector<std::uint32_t> frame(width * height);
    for (std::size_t index = 0; index < frame.size(); ++index) {
        frame[index] = static_cast<std::uint32_t>(index * 0x010305 + 0x112233);
    }
    const std::uint32_t untouched = 0xDEADBEEF;
    for (int factor = 1; factor <= 4; ++factor) {
        const int stride = width * factor + 3;  // surface rows are often longer than the picture
        std::vector<std::uint32_t> target(static_cast<std::size_t>(stride) * height * factor, untouched);
        scaleNearest(frame.data(), width, height, factor, target.data(), stride * 4);
        for (int y = 0; y < height * factor; ++y) {
            for (int x = 0; x < stride; ++x) {
                const std::uint32_t expected =
                    x < width * factor ? frame[(y / factor) * width + x / factor] : untouched;
                ASSERT_EQ(target[y * stride + x], expected) << "factor " << factor << " at " << x << "," << y;
            }
        }
    }
}
