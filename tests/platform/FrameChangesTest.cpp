// What a present sends the display: the rectangles of the rows that changed since the last present
// (each covering every changed pixel of its rows and no unchanged row), and nothing for a frame
// that did not change; and the record of changes that a window's frame keeps.
#include <gtest/gtest.h>

#include <vector>

#include "platform/core/WindowFrame.h"
#include "tests/platform/BufferedPaint.h"
#include "tests/platform/TestWindow.h"

using veskar::platform::TestBackend;
using veskar::platform::WindowFrame;
using namespace veskar::testing;

namespace {

struct Block {
    RECT rect;
    COLORREF color;
};
using Scene = std::vector<Block>;

Scene& scene() {
    static Scene current;
    return current;
}

// Paints as the game does: the scene into a client-sized memory buffer, erased first, then the
// buffer copied to the window whole.
LRESULT paintScene(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    RECT client{};
    GetClientRect(window, &client);
    return paintThroughBuffer(window, client.right, client.bottom, [&client](HDC buffer, HBITMAP) {
        fillWith(buffer, client, RGB(20, 20, 20));
        for (const Block& block : scene()) {
            fillWith(buffer, block.rect, block.color);
        }
    });
}

bool inside(const RECT& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

}  // namespace

TEST(FrameChanges, APresentNamesExactlyTheRowsThatChanged) {
    struct Case {
        const char* name;
        Scene before;
        Scene after;
        int rectangles;  // how many the present names; 0: no present at all
    };
    const COLORREF red = RGB(200, 0, 0);
    const COLORREF blue = RGB(0, 0, 200);
    const Case cases[] = {
        {"the same picture again", {{{10, 10, 50, 50}, red}}, {{{10, 10, 50, 50}, red}}, 0},
        {"one pixel", {}, {{{100, 200, 101, 201}, red}}, 1},
        {"a block moved down", {{{40, 40, 72, 72}, red}}, {{{40, 48, 72, 80}, red}}, 2},
        {"a colour changed in place", {{{40, 40, 72, 72}, red}}, {{{40, 40, 72, 72}, blue}}, 1},
        {"two blocks in separate rows", {}, {{{5, 5, 20, 20}, red}, {{600, 400, 634, 455}, blue}}, 2},
        {"two blocks side by side in the same rows",
         {},
         {{{5, 5, 20, 20}, red}, {{600, 5, 610, 20}, blue}},
         1},
        {"the whole picture", {}, {{{0, 0, 634, 455}, blue}}, 1},
        {"the corners", {}, {{{0, 0, 1, 1}, red}, {{633, 454, 634, 455}, red}}, 2},
    };
    for (const Case& c : cases) {
        HWND window = makeTestWindow(paintScene);
        auto& backend = TestBackend::current();
        scene() = c.before;
        UpdateWindow(window);
        const std::vector<std::uint32_t> shownBefore = backend.frame();
        const int presentsBefore = backend.presentCount();
        scene() = c.after;
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);

        EXPECT_EQ(backend.presentCount() - presentsBefore, c.rectangles == 0 ? 0 : 1) << c.name;
        if (c.rectangles == 0) {
            continue;
        }
        const std::vector<RECT>& named = backend.lastChanges();
        EXPECT_EQ(static_cast<int>(named.size()), c.rectangles) << c.name;
        std::vector<bool> rowChanged(455, false);
        for (int y = 0; y < 455; ++y) {
            for (int x = 0; x < 634; ++x) {
                const std::size_t at = static_cast<std::size_t>(y) * 634 + x;
                if (shownBefore[at] == backend.frame()[at]) {
                    continue;
                }
                rowChanged[static_cast<std::size_t>(y)] = true;
                bool covered = false;
                for (const RECT& rect : named) {
                    covered = covered || inside(rect, x, y);
                }
                ASSERT_TRUE(covered) << c.name << ": pixel " << x << "," << y << " changed unnamed";
            }
        }
        for (const RECT& rect : named) {
            for (int y = rect.top; y < rect.bottom; ++y) {
                EXPECT_TRUE(rowChanged[static_cast<std::size_t>(y)]) << c.name << ": row " << y << " named";
            }
        }
        // The test backend builds its picture from the named rectangles alone: it must be the scene.
        for (const Block& block : c.after) {
            EXPECT_EQ(backend.pixel(block.rect.left, block.rect.top),
                      block.color == red ? 0xC80000u : 0x0000C8u)
                << c.name;
        }
    }
}

TEST(FrameChanges, AFrameUnderABoxIsShownWholeOnceTheBoxHasGone) {
    HWND window = makeTestWindow(paintsGreenOnEveryTick);
    auto& backend = TestBackend::current();
    UpdateWindow(window);
    backend.tap(50, VK_RETURN);
    EXPECT_EQ(MessageBoxA(window, "text", "caption", MB_OK), IDOK);
    const std::vector<RECT>& named = backend.lastChanges();
    ASSERT_EQ(named.size(), 1u);
    EXPECT_EQ(named[0].left, 0);
    EXPECT_EQ(named[0].top, 0);
    EXPECT_EQ(named[0].right, 634);
    EXPECT_EQ(named[0].bottom, 455);
    EXPECT_EQ(backend.pixel(317, 227), 0x004000u) << "the box is gone from the display";
}

TEST(FrameChanges, TheFrameMergesTheRunsOfChangedRows) {
    struct Case {
        const char* name;
        std::vector<RECT> marked;
        std::vector<RECT> runs;
    };
    const Case cases[] = {
        {"nothing", {}, {}},
        {"a new frame owes everything", {{0, 0, 8, 6}}, {{0, 0, 8, 6}}},
        {"rows apart", {{1, 1, 2, 2}, {3, 4, 5, 5}}, {{1, 1, 2, 2}, {3, 4, 5, 5}}},
        {"adjoining rows join, their columns united", {{1, 1, 2, 3}, {4, 3, 6, 4}}, {{1, 1, 6, 4}}},
        {"one row marked twice", {{5, 2, 6, 3}, {0, 2, 1, 3}}, {{0, 2, 6, 3}}},
        {"an empty rectangle marks nothing", {{3, 3, 3, 5}, {2, 4, 4, 4}}, {}},
    };
    for (const Case& c : cases) {
        WindowFrame frame(8, 6);
        (void)frame.takeChanges();  // all of it, as for the first present
        for (const RECT& rect : c.marked) {
            frame.markChanged(rect.left, rect.top, rect.right, rect.bottom);
        }
        EXPECT_EQ(frame.hasChanges(), !c.runs.empty()) << c.name;
        const auto runs = frame.takeChanges();
        ASSERT_EQ(runs.size(), c.runs.size()) << c.name;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            EXPECT_EQ(runs[i].left, c.runs[i].left) << c.name;
            EXPECT_EQ(runs[i].top, c.runs[i].top) << c.name;
            EXPECT_EQ(runs[i].right, c.runs[i].right) << c.name;
            EXPECT_EQ(runs[i].bottom, c.runs[i].bottom) << c.name;
        }
        EXPECT_FALSE(frame.hasChanges()) << c.name << ": taken";
    }
}

TEST(FrameChanges, TheFrameKeepsItsPixelsWhereverItLives) {
    WindowFrame frame(5, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            frame.row(y)[x] = static_cast<std::uint32_t>(10 * y + x);
        }
    }
    std::vector<std::uint32_t> display(8 * 3, 0xEEEEEE);  // rows 8 pixels apart
    frame.moveTo(display.data(), 8);
    EXPECT_FALSE(frame.inOwnMemory());
    EXPECT_EQ(frame.row(2), display.data() + 16);
    EXPECT_EQ(display[8 + 4], 14u);
    EXPECT_EQ(display[5], 0xEEEEEEu) << "the memory past each row is left alone";
    frame.row(1)[1] = 99;
    frame.moveHome();
    EXPECT_TRUE(frame.inOwnMemory());
    EXPECT_EQ(frame.row(1)[1], 99u) << "drawn while away";
    EXPECT_EQ(frame.row(2)[4], 24u);
}
