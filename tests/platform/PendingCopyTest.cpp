// A whole copy into a large bitmap (a paint's background) is written only where something needs
// it, and a window shown such a bitmap skips the tiles that already hold the background: whatever
// happens to the bitmap, its background or the window, every pixel reads as if copied at once.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/Platform.h"
#include "platform/core/GdiObjects.h"
#include "tests/platform/BufferedPaint.h"
#include "tests/platform/TestWindow.h"

using veskar::platform::TestBackend;
using namespace veskar::testing;

namespace {

inline constexpr int WIDTH = 83;  // not a multiple of the tile side, so edge tiles are narrow
inline constexpr int HEIGHT = 70;
inline constexpr int FROM_X = 5;  // where the copy starts in the background
inline constexpr int FROM_Y = 7;
inline constexpr std::uint32_t SPRITE_PIXEL = 0x00FF00;
inline constexpr std::uint32_t FILL_PIXEL = 0x0000AA;

// A colour of its own for every pixel of a window-sized picture.
std::uint32_t pattern(int x, int y) {
    return (static_cast<std::uint32_t>(x % 256) << 16) | (static_cast<std::uint32_t>(y % 256) << 8) |
           static_cast<std::uint32_t>(x / 256 * 4 + y / 256);
}

bool inside(int x, int y, int left, int top, int right, int bottom) {
    return x >= left && x < right && y >= top && y < bottom;
}

std::uint32_t background(int x, int y) {
    return pattern(x + FROM_X, y + FROM_Y);
}

int writtenTiles(const HBITMAP__& bitmap) {
    int count = 0;
    for (const std::uint32_t written : bitmap.pendingCopy->written) {
        count += written != 0 ? 1 : 0;
    }
    return count;
}

}  // namespace

TEST(PendingCopy, ABackgroundIsWrittenOnlyWhereSomethingNeedsIt) {
    struct Case {
        const char* name;
        std::function<void(Picture& buffer, Picture& source, Picture& sprite)> step;
        std::function<std::uint32_t(int x, int y)> expected;
        int tilesWritten;  // -1: the copy is no longer pending
    };
    const Case cases[] = {
        {"nothing drawn", [](Picture&, Picture&, Picture&) {}, background, 0},
        {"a sprite inside one tile writes that tile",
         [](Picture& buffer, Picture&, Picture& sprite) {
             BitBlt(buffer.dc, 18, 20, 10, 10, sprite.dc, 0, 0, SRCCOPY);
         },
         [](int x, int y) { return inside(x, y, 18, 20, 28, 30) ? SPRITE_PIXEL : background(x, y); }, 1},
        {"a sprite over the narrow last tiles, cut to the bitmap",
         [](Picture& buffer, Picture&, Picture& sprite) {
             BitBlt(buffer.dc, 78, 60, 10, 20, sprite.dc, 0, 0, SRCCOPY);
         },
         [](int x, int y) { return inside(x, y, 78, 60, WIDTH, HEIGHT) ? SPRITE_PIXEL : background(x, y); },
         4},
        {"a sprite whose pixels change afterwards stays as it was drawn",
         [](Picture& buffer, Picture&, Picture& sprite) {
             BitBlt(buffer.dc, 18, 20, 10, 10, sprite.dc, 0, 0, SRCCOPY);
             sprite.fill(0, 0, 16, 32, RGB(0, 0, 0xAA));
         },
         [](int x, int y) { return inside(x, y, 18, 20, 28, 30) ? SPRITE_PIXEL : background(x, y); }, -1},
        {"a sprite deleted afterwards stays as it was drawn",
         [](Picture& buffer, Picture&, Picture& sprite) {
             BitBlt(buffer.dc, 18, 20, 10, 10, sprite.dc, 0, 0, SRCCOPY);
             DeleteObject(SelectObject(sprite.dc, CreateCompatibleBitmap(sprite.dc, 1, 1)));
         },
         [](int x, int y) { return inside(x, y, 18, 20, 28, 30) ? SPRITE_PIXEL : background(x, y); }, -1},
        {"copies piled over one tile, more than it keeps, in the order drawn",
         [](Picture& buffer, Picture& source, Picture& sprite) {
             BitBlt(buffer.dc, 16, 16, 12, 12, sprite.dc, 0, 0, SRCCOPY);
             BitBlt(buffer.dc, 20, 20, 12, 12, source.dc, 0, 0, SRCCOPY);
             BitBlt(buffer.dc, 18, 18, 6, 6, sprite.dc, 0, 0, SRCCOPY);
             BitBlt(buffer.dc, 22, 17, 5, 5, source.dc, 40, 40, SRCCOPY);
             BitBlt(buffer.dc, 17, 23, 5, 5, sprite.dc, 0, 0, SRCCOPY);
         },
         [](int x, int y) {
             if (inside(x, y, 17, 23, 22, 28)) {
                 return SPRITE_PIXEL;
             }
             if (inside(x, y, 22, 17, 27, 22)) {
                 return pattern(x + 18, y + 23);
             }
             if (inside(x, y, 18, 18, 24, 24)) {
                 return SPRITE_PIXEL;
             }
             if (inside(x, y, 20, 20, 32, 32)) {
                 return pattern(x - 20, y - 20);
             }
             return inside(x, y, 16, 16, 28, 28) ? SPRITE_PIXEL : background(x, y);
         },
         1},
        {"a fill over part of a sprite",
         [](Picture& buffer, Picture&, Picture& sprite) {
             BitBlt(buffer.dc, 18, 20, 10, 10, sprite.dc, 0, 0, SRCCOPY);
             buffer.fill(20, 22, 24, 26, RGB(0, 0, 0xAA));
         },
         [](int x, int y) {
             return inside(x, y, 20, 22, 24, 26)   ? FILL_PIXEL
                    : inside(x, y, 18, 20, 28, 30) ? SPRITE_PIXEL
                                                   : background(x, y);
         },
         1},
        {"a fill across tiles",
         [](Picture& buffer, Picture&, Picture&) { buffer.fill(10, 3, 40, 20, RGB(0, 0, 0xAA)); },
         [](int x, int y) { return inside(x, y, 10, 3, 40, 20) ? FILL_PIXEL : background(x, y); }, 6},
        {"the background changing afterwards leaves the copy as it was",
         [](Picture&, Picture& source, Picture&) { source.fill(0, 0, 40, 40, RGB(0, 0, 0xAA)); }, background,
         -1},
        {"the background deleted afterwards leaves the copy as it was",
         [](Picture&, Picture& source, Picture&) {
             DeleteObject(SelectObject(source.dc, CreateCompatibleBitmap(source.dc, 1, 1)));
         },
         background, -1},
        {"a copy within the bitmap reads the background",
         [](Picture& buffer, Picture&, Picture&) {
             BitBlt(buffer.dc, 3, 2, WIDTH, HEIGHT, buffer.dc, 0, 0, SRCCOPY);
         },
         [](int x, int y) { return x >= 3 && y >= 2 ? background(x - 3, y - 2) : background(x, y); }, -1},
        {"a whole fill replaces it",
         [](Picture& buffer, Picture&, Picture&) { buffer.fill(0, 0, WIDTH, HEIGHT, RGB(0, 0, 0xAA)); },
         [](int, int) { return FILL_PIXEL; }, -1},
    };
    for (const Case& c : cases) {
        TestBackend::reset();
        Picture buffer(WIDTH, HEIGHT, [](int, int) { return 0x123456u; });
        Picture source(WIDTH + 20, HEIGHT + 20, pattern);
        Picture sprite(16, 32, [](int, int) { return SPRITE_PIXEL; });
        buffer.fill(0, 0, WIDTH, HEIGHT, RGB(0x12, 0x34, 0x56));
        BitBlt(buffer.dc, 0, 0, WIDTH, HEIGHT, source.dc, FROM_X, FROM_Y, SRCCOPY);
        ASSERT_TRUE(buffer.bitmap->pendingCopy.has_value()) << c.name;
        c.step(buffer, source, sprite);
        if (c.tilesWritten < 0) {
            EXPECT_FALSE(buffer.bitmap->pendingCopy.has_value()) << c.name;
        } else {
            ASSERT_TRUE(buffer.bitmap->pendingCopy.has_value()) << c.name;
            EXPECT_EQ(writtenTiles(*buffer.bitmap), c.tilesWritten) << c.name;
        }
        // Read through the drawing calls, as a copy out of the bitmap reads it.
        Picture copied(WIDTH, HEIGHT, [](int, int) { return 0u; });
        BitBlt(copied.dc, 0, 0, WIDTH, HEIGHT, buffer.dc, 0, 0, SRCCOPY);
        copied.bitmap->settle();
        for (int y = 0; y < HEIGHT; ++y) {
            for (int x = 0; x < WIDTH; ++x) {
                ASSERT_EQ(buffer.bitmap->pixel(x, y), c.expected(x, y)) << c.name << " at " << x << "," << y;
                ASSERT_EQ(copied.bitmap->row(y)[x], c.expected(x, y))
                    << c.name << " copied, at " << x << "," << y;
            }
        }
    }
}

namespace {

inline constexpr int CLIENT_WIDTH = 634;
inline constexpr int CLIENT_HEIGHT = 455;

inline constexpr std::uint32_t OTHER_SPRITE_PIXEL = 0x00FF80;

// The background every paint copies whole, and a sprite drawn over it at spriteX: the 32 x 32
// pixels of the sprite sheet from spriteFromX on.
struct Scene {
    Picture* background = nullptr;
    Picture* sprites = nullptr;
    int spriteX = 100;
    int spriteFromX = 0;
};

Scene& scene() {
    static Scene current;
    return current;
}

// Paints as the game does: an erased buffer, the background over all of it, a sprite, the buffer
// copied to the window whole.
LRESULT paintScene(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return paintThroughBuffer(window, CLIENT_WIDTH, CLIENT_HEIGHT, [](HDC buffer, HBITMAP) {
        fillWith(buffer, RECT{0, 0, CLIENT_WIDTH, CLIENT_HEIGHT}, RGB(0, 0, 0));
        BitBlt(buffer, 0, 0, CLIENT_WIDTH, CLIENT_HEIGHT, scene().background->dc, 0, 0, SRCCOPY);
        BitBlt(buffer, scene().spriteX, 50, 32, 32, scene().sprites->dc, scene().spriteFromX, 0, SRCCOPY);
    });
}

void repaint(HWND window) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}

}  // namespace

TEST(PendingCopy, AWindowShowsTheBackgroundAsIfCopiedWhole) {
    struct Case {
        const char* name;
        std::function<void(HWND window, Picture& background)> step;
        std::function<std::uint32_t(int x, int y)> expected;
        bool presents;  // whether the step ends with something new on the display
    };
    const auto withSpriteAt = [](int left, const std::function<std::uint32_t(int, int)>& under,
                                 std::uint32_t sprite = SPRITE_PIXEL) {
        return [left, under, sprite](int x, int y) {
            return inside(x, y, left, 50, left + 32, 82) ? sprite : under(x, y);
        };
    };
    const Case cases[] = {
        {"the same picture again", [](HWND window, Picture&) { repaint(window); }, withSpriteAt(100, pattern),
         false},
        {"the sprite moved: the background shows where it was",
         [](HWND window, Picture&) {
             scene().spriteX = 300;
             repaint(window);
         },
         withSpriteAt(300, pattern), true},
        {"the sprite drawn from another place of its sheet",
         [](HWND window, Picture&) {
             scene().spriteFromX = 32;
             repaint(window);
         },
         withSpriteAt(100, pattern, OTHER_SPRITE_PIXEL), true},
        {"the sprite sheet changed",
         [](HWND window, Picture&) {
             scene().sprites->fill(0, 0, 32, 32, RGB(0, 0, 0xAA));
             repaint(window);
         },
         withSpriteAt(100, pattern, FILL_PIXEL), true},
        {"the background changed",
         [](HWND window, Picture& background) {
             background.fill(0, 200, CLIENT_WIDTH, 210, RGB(0, 0, 0xAA));
             repaint(window);
         },
         withSpriteAt(100, [](int x, int y) { return y >= 200 && y < 210 ? FILL_PIXEL : pattern(x, y); }),
         true},
        {"something drawn on the window itself",
         [](HWND window, Picture&) {
             HDC dc = GetDC(window);
             const RECT rect{400, 300, 420, 310};
             HBRUSH brush = CreateSolidBrush(RGB(0, 0, 0xAA));
             FillRect(dc, &rect, brush);
             DeleteObject(brush);
             ReleaseDC(window, dc);
             repaint(window);
         },
         withSpriteAt(100, pattern), true},
    };
    for (const Case& c : cases) {
        HWND window = makeTestWindow(paintScene);
        auto& backend = TestBackend::current();
        Picture background(CLIENT_WIDTH, CLIENT_HEIGHT, pattern);
        Picture sprites(64, 32, [](int x, int) { return x < 32 ? SPRITE_PIXEL : OTHER_SPRITE_PIXEL; });
        scene() = {&background, &sprites, 100, 0};
        UpdateWindow(window);
        const int presents = backend.presentCount();
        c.step(window, background);
        EXPECT_EQ(backend.presentCount() > presents, c.presents) << c.name;
        for (int y = 0; y < CLIENT_HEIGHT; ++y) {
            for (int x = 0; x < CLIENT_WIDTH; ++x) {
                ASSERT_EQ(backend.pixel(x, y), c.expected(x, y)) << c.name << " at " << x << "," << y;
            }
        }
    }
}
