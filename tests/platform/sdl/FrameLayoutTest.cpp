// The picture's enlargement: the whole factor and the place of the frame on the window's surface.
#include <gtest/gtest.h>

#include "platform/sdl/FrameLayout.h"

TEST(FrameLayout, WholeFactorThatFitsCentredOnTheSurface) {
    struct Case {
        int surfaceWidth, surfaceHeight, scale;
        int factor, x, y;
    };
    // The game's client area is 634 x 455.
    const Case cases[] = {
        {1268, 910, 2, 2, 0, 0},      // --scale 2
        {640, 480, 0, 1, 3, 12},      // full screen on a 640 x 480 display
        {1920, 1080, 0, 2, 326, 85},  // full screen: 1080 / 455 allows 2, 1920 / 634 allows 3
        {1268, 910, 3, 2, 0, 0},      // a window kept smaller than asked: the factor that fits
        {600, 400, 1, 1, 0, 0},       // smaller than the frame: its top left at 1:1
    };
    for (const Case& c : cases) {
        const auto layout = veskar::platform::layFrame(c.surfaceWidth, c.surfaceHeight, 634, 455, c.scale);
        EXPECT_EQ(layout.factor, c.factor)
            << c.surfaceWidth << "x" << c.surfaceHeight << " scale " << c.scale;
        EXPECT_EQ(layout.x, c.x) << c.surfaceWidth << "x" << c.surfaceHeight;
        EXPECT_EQ(layout.y, c.y) << c.surfaceWidth << "x" << c.surfaceHeight;
    }
}
