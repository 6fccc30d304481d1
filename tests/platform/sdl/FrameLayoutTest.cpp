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

TEST(FrameLayout, ScaleIsLoweredUntilTheWindowFitsTheScreen) {
    struct Case {
        int wanted, areaWidth, areaHeight;
        int scale;
    };
    const Case cases[] = {
        {8, 1024, 768, 1},   // 5072 x 3640 asked for
        {3, 1920, 1080, 2},  // 1902 fits across, 1365 not down
        {3, 1920, 1400, 3},  // fits as asked
        {2, 1268, 910, 2},   // exactly the screen
        {2, 600, 400, 1},    // never below 1, even on a screen smaller than the picture
        {4, 0, 0, 4},        // no screen known: as asked
    };
    for (const Case& c : cases) {
        EXPECT_EQ(veskar::platform::fittingScale(c.wanted, 634, 455, c.areaWidth, c.areaHeight), c.scale)
            << c.wanted << " on " << c.areaWidth << "x" << c.areaHeight;
    }
}
