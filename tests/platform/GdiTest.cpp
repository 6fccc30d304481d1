// Memory device contexts, bitmaps and brushes, and the opaque block copy clipped to both bitmaps.
#include <gtest/gtest.h>

#include "platform/core/GdiObjects.h"
#include "tests/platform/TestWindow.h"

using veskar::platform::TestBackend;

namespace {

// A memory context holding a new width by height bitmap, every pixel `color`.
struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    int width = 0;
    int height = 0;

    Canvas(int w, int h, COLORREF color) : width(w), height(h) {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateCompatibleBitmap(dc, w, h);
        previous = SelectObject(dc, bitmap);
        fill(0, 0, w, h, color);
    }
    void fill(int left, int top, int right, int bottom, COLORREF color) {
        const RECT rect{left, top, right, bottom};
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    }
    // The pixel as 0x00RRGGBB, read back through a 1 by 1 copy.
    std::uint32_t at(int x, int y) const {
        HDC probe = CreateCompatibleDC(nullptr);
        HBITMAP one = CreateCompatibleBitmap(probe, 1, 1);
        HGDIOBJ old = SelectObject(probe, one);
        BitBlt(probe, 0, 0, 1, 1, dc, x, y, SRCCOPY);
        std::uint32_t value = one->pixels[0];
        SelectObject(probe, old);
        DeleteObject(one);
        DeleteDC(probe);
        return value;
    }
};

// Every pixel of `from` gets a distinct colour: red = x, green = y.
void paintCoordinates(Canvas& from) {
    from.bitmap->settle();  // the pixels are written directly below, past the drawing calls
    for (int y = 0; y < from.height; ++y) {
        for (int x = 0; x < from.width; ++x) {
            from.bitmap->pixels[static_cast<std::size_t>(y) * from.width + x] =
                (static_cast<std::uint32_t>(x) << 16) | (y << 8);
        }
    }
}

}  // namespace

TEST(Gdi, MemoryContextSelectsAndReturnsThePreviousBitmap) {
    TestBackend::reset();
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP first = CreateCompatibleBitmap(dc, 4, 4);
    HBITMAP second = CreateCompatibleBitmap(dc, 4, 4);
    HGDIOBJ stock = SelectObject(dc, first);
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(SelectObject(dc, second), first);
    EXPECT_TRUE(DeleteObject(first));
    EXPECT_FALSE(DeleteObject(second)) << "a selected bitmap is not deleted";
    HDC other = CreateCompatibleDC(dc);
    EXPECT_EQ(SelectObject(other, second), nullptr) << "one context at a time";
    EXPECT_EQ(SelectObject(dc, stock), second);
    EXPECT_TRUE(DeleteObject(second));
    EXPECT_FALSE(DeleteObject(second)) << "a deleted handle is unknown";
    EXPECT_FALSE(DeleteObject(stock)) << "the stock bitmap belongs to the context";
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_TRUE(DeleteDC(other));
}

TEST(Gdi, GetObjectDescribesA32BitBitmap) {
    TestBackend::reset();
    HBITMAP bitmap = CreateCompatibleBitmap(nullptr, 192, 32);
    BITMAP description{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof description, &description), static_cast<int>(sizeof description));
    EXPECT_EQ(description.bmWidth, 192);
    EXPECT_EQ(description.bmHeight, 32);
    EXPECT_EQ(description.bmBitsPixel, 32);
    EXPECT_EQ(GetObjectA(bitmap, 4, &description), 0) << "too small a buffer";
    EXPECT_EQ(GetObjectA(nullptr, sizeof description, &description), 0);
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, 0, 5), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, 5, 100000), nullptr);
}

TEST(Gdi, BitBltCopiesABlockOpaquely) {
    TestBackend::reset();
    Canvas from(8, 8, 0);
    paintCoordinates(from);
    Canvas to(8, 8, RGB(1, 2, 3));
    ASSERT_TRUE(BitBlt(to.dc, 2, 3, 4, 2, from.dc, 1, 5, SRCCOPY));
    EXPECT_EQ(to.at(2, 3), 0x010500u);
    EXPECT_EQ(to.at(5, 4), 0x040600u);
    EXPECT_EQ(to.at(6, 4), 0x010203u) << "right edge exclusive";
    EXPECT_EQ(to.at(2, 5), 0x010203u) << "bottom edge exclusive";
    EXPECT_FALSE(BitBlt(to.dc, 0, 0, 1, 1, from.dc, 0, 0, 0x00EE0086)) << "only SRCCOPY";
    EXPECT_FALSE(BitBlt(to.dc, 0, 0, -1, 1, from.dc, 0, 0, SRCCOPY));
}

// Sweeps blocks across every edge of both bitmaps: each destination pixel either keeps its colour
// or holds the source pixel the offsets map to it, and nothing outside either bitmap is touched
// (AddressSanitizer watches the reads and writes).
TEST(Gdi, BitBltIsClippedToBothBitmaps) {
    TestBackend::reset();
    Canvas from(6, 5, 0);
    paintCoordinates(from);
    for (int x = -8; x <= 8; x += 2) {
        for (int sx = -7; sx <= 7; sx += 3) {
            for (int y = -6; y <= 6; y += 3) {
                for (int sy = -6; sy <= 6; sy += 4) {
                    Canvas to(5, 4, RGB(9, 9, 9));
                    ASSERT_TRUE(BitBlt(to.dc, x, y, 7, 6, from.dc, sx, sy, SRCCOPY));
                    for (int ty = 0; ty < 4; ++ty) {
                        for (int tx = 0; tx < 5; ++tx) {
                            const int fx = tx - x + sx;
                            const int fy = ty - y + sy;
                            const bool inside = tx >= x && tx < x + 7 && ty >= y && ty < y + 6 && fx >= 0 &&
                                                fx < 6 && fy >= 0 && fy < 5;
                            const std::uint32_t expected =
                                inside ? (static_cast<std::uint32_t>(fx) << 16) | (fy << 8) : 0x090909u;
                            ASSERT_EQ(to.at(tx, ty), expected)
                                << x << "," << y << " from " << sx << "," << sy;
                        }
                    }
                }
            }
        }
    }
}

TEST(Gdi, BitBltWithinOneBitmapHandlesOverlap) {
    TestBackend::reset();
    Canvas canvas(4, 6, 0);
    paintCoordinates(canvas);
    ASSERT_TRUE(BitBlt(canvas.dc, 0, 1, 4, 5, canvas.dc, 0, 0, SRCCOPY));
    for (int y = 1; y < 6; ++y) {
        EXPECT_EQ(canvas.at(2, y), (2u << 16) | ((y - 1) << 8)) << "row " << y;
    }
    ASSERT_TRUE(BitBlt(canvas.dc, 0, 0, 4, 5, canvas.dc, 0, 1, SRCCOPY));
    EXPECT_EQ(canvas.at(1, 0), 1u << 16);
}

TEST(Gdi, FillRectClipsAndTakesSystemColourBrushes) {
    TestBackend::reset();
    Canvas canvas(4, 4, RGB(0, 0, 0));
    canvas.fill(-5, -5, 2, 2, RGB(255, 255, 0));
    EXPECT_EQ(canvas.at(1, 1), 0xFFFF00u);
    EXPECT_EQ(canvas.at(2, 2), 0u);
    const RECT all{0, 0, 100, 100};
    EXPECT_EQ(FillRect(canvas.dc, &all, reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_WINDOW + 1))),
              1);
    EXPECT_EQ(canvas.at(3, 3), 0xFFFFFFu);
    EXPECT_EQ(FillRect(canvas.dc, &all, reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(5000))), 0);
    const RECT inverted{3, 3, 1, 1};
    EXPECT_EQ(
        FillRect(canvas.dc, &inverted, reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_MENUTEXT + 1))),
        1);
    EXPECT_EQ(canvas.at(2, 2), 0xFFFFFFu) << "an empty rectangle fills nothing";
}

TEST(Gdi, SystemColoursOfTheLayer) {
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_MENUTEXT), RGB(0, 0, 0));
    EXPECT_EQ(GetSysColor(-1), 0u);
}
