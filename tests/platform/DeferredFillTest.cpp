// A fill of a whole memory bitmap is written only where something needs it: a copy that
// overwrites every pixel drops it, anything else sees exactly what the fill would have written.
#include <gtest/gtest.h>

#include <functional>

#include "platform/Platform.h"
#include "platform/core/GdiObjects.h"
#include "platform/testing/TestBackend.h"
#include "tests/platform/BufferedPaint.h"

using veskar::platform::TestBackend;

namespace {

inline constexpr int WIDTH = 12;
inline constexpr int HEIGHT = 9;
inline constexpr std::uint32_t BEFORE = 0x123456;  // what the buffer held before the fill
inline constexpr COLORREF FILL = RGB(0, 0, 0xAA);  // shows as 0x0000AA
inline constexpr std::uint32_t FILL_PIXEL = 0x0000AA;

using Buffer = veskar::testing::Picture;

std::uint32_t pattern(int x, int y) {
    return 0x010000u * static_cast<std::uint32_t>(x + 1) + 0x000100u * static_cast<std::uint32_t>(y + 1);
}

// What a step does to the buffer, and what it does to the reference picture drawn pixel by pixel.
struct Case {
    const char* name;
    std::function<void(Buffer& buffer, Buffer& source)> step;
    std::function<std::uint32_t(int x, int y)> expected;
    bool fillWritten;  // whether any pixel had to take the fill's colour
};

}  // namespace

TEST(DeferredFill, AWholeFillIsWrittenOnlyWhereALaterOperationNeedsIt) {
    const auto inside = [](int x, int y, int left, int top, int right, int bottom) {
        return x >= left && x < right && y >= top && y < bottom;
    };
    const Case cases[] = {
        {"a copy over every pixel drops the fill",
         [](Buffer& buffer, Buffer& source) {
             BitBlt(buffer.dc, 0, 0, WIDTH, HEIGHT, source.dc, 0, 0, SRCCOPY);
         },
         [](int x, int y) { return pattern(x, y); }, false},
        {"a larger copy, cut to the bitmap, drops it too",
         [](Buffer& buffer, Buffer& source) {
             BitBlt(buffer.dc, -2, -1, WIDTH + 5, HEIGHT + 4, source.dc, 0, 0, SRCCOPY);
         },
         [](int x, int y) { return pattern(x + 2, y + 1); }, false},
        {"a copy of part keeps the fill around it",
         [](Buffer& buffer, Buffer& source) { BitBlt(buffer.dc, 3, 2, 5, 4, source.dc, 0, 0, SRCCOPY); },
         [&](int x, int y) { return inside(x, y, 3, 2, 8, 6) ? pattern(x - 3, y - 2) : FILL_PIXEL; }, true},
        {"a copy of all rows but the last keeps the fill in the last",
         [](Buffer& buffer, Buffer& source) {
             BitBlt(buffer.dc, 0, 0, WIDTH, HEIGHT - 1, source.dc, 0, 0, SRCCOPY);
         },
         [](int x, int y) { return y < HEIGHT - 1 ? pattern(x, y) : FILL_PIXEL; }, true},
        {"a copy that misses the bitmap leaves the fill waiting",
         [](Buffer& buffer, Buffer& source) { BitBlt(buffer.dc, WIDTH, 0, 4, 4, source.dc, 0, 0, SRCCOPY); },
         [](int, int) { return FILL_PIXEL; }, false},
        {"a partial fill is drawn over the whole one",
         [](Buffer& buffer, Buffer&) { buffer.fill(1, 1, 4, 3, RGB(255, 0, 0)); },
         [&](int x, int y) { return inside(x, y, 1, 1, 4, 3) ? 0xFF0000u : FILL_PIXEL; }, true},
        {"a second whole fill replaces the first",
         [](Buffer& buffer, Buffer&) { buffer.fill(0, 0, WIDTH, HEIGHT, RGB(0, 255, 0)); },
         [](int, int) { return 0x00FF00u; }, false},
        {"a copy within the bitmap reads the fill",
         [](Buffer& buffer, Buffer&) { BitBlt(buffer.dc, 1, 1, WIDTH, HEIGHT, buffer.dc, 0, 0, SRCCOPY); },
         [](int, int) { return FILL_PIXEL; }, true},
        {"a copy out of the bitmap reads the fill",
         [](Buffer& buffer, Buffer& source) {
             BitBlt(source.dc, 0, 0, WIDTH, HEIGHT, buffer.dc, 0, 0, SRCCOPY);
             BitBlt(buffer.dc, 0, 0, WIDTH, HEIGHT, source.dc, 0, 0, SRCCOPY);
         },
         [](int, int) { return FILL_PIXEL; }, true},
    };
    for (const Case& c : cases) {
        TestBackend::reset();
        Buffer buffer(WIDTH, HEIGHT, [](int, int) { return BEFORE; });
        Buffer source(WIDTH + 8, HEIGHT + 8, pattern);
        buffer.fill(-3, -3, WIDTH + 3, HEIGHT + 3, FILL);
        c.step(buffer, source);
        bool sawFill = false;
        for (int y = 0; y < HEIGHT; ++y) {
            for (int x = 0; x < WIDTH; ++x) {
                ASSERT_EQ(buffer.bitmap->pixel(x, y), c.expected(x, y)) << c.name << " at " << x << "," << y;
                sawFill = sawFill || (!buffer.bitmap->pendingFill && buffer.bitmap->row(y)[x] == FILL_PIXEL);
            }
        }
        EXPECT_EQ(sawFill, c.fillWritten) << c.name;
    }
}

TEST(DeferredFill, TheBufferKeepsItsPixelsUntilTheFillIsNeeded) {
    TestBackend::reset();
    Buffer buffer(WIDTH, HEIGHT, [](int, int) { return BEFORE; });
    buffer.fill(0, 0, WIDTH, HEIGHT, FILL);
    ASSERT_TRUE(buffer.bitmap->pendingFill.has_value());
    EXPECT_EQ(buffer.bitmap->row(4)[5], BEFORE) << "nothing written yet";
    EXPECT_EQ(buffer.bitmap->pixel(5, 4), FILL_PIXEL) << "yet every pixel reads as filled";
    buffer.bitmap->settle();
    EXPECT_FALSE(buffer.bitmap->pendingFill.has_value());
    EXPECT_EQ(buffer.bitmap->row(4)[5], FILL_PIXEL);
}
