// The paint cycle: WM_PAINT made for an invalid window when nothing else is queued, validation by
// BeginPaint, presentation of the window's pixels by EndPaint, and UpdateWindow.
#include <gtest/gtest.h>

#include "tests/platform/TestWindow.h"

using veskar::platform::TestBackend;
using namespace veskar::testing;

namespace {

// Paints the whole client area in one colour.
LRESULT paintSolid(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
    FillRect(dc, &paint.rcPaint, brush);
    DeleteObject(brush);
    EndPaint(window, &paint);
    return 0;
}

}  // namespace

TEST(PaintCycle, InvalidWindowGetsOnePaintWhenTheQueueIsEmpty) {
    HWND window = makeTestWindow(paintSolid);
    InvalidateRect(window, nullptr, FALSE);
    InvalidateRect(window, nullptr, FALSE);
    PostMessageA(window, WM_USER, 0, 0);
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_USER) << "queued messages come before the paint";
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    ASSERT_EQ(message.message, WM_PAINT);
    DispatchMessageA(&message);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) << "two invalidations, one paint";
}

TEST(PaintCycle, EndPaintPresentsTheClientPixels) {
    HWND window = makeTestWindow(paintSolid);
    auto& backend = TestBackend::current();
    UpdateWindow(window);
    EXPECT_EQ(seenOf(WM_PAINT).size(), 1u) << "UpdateWindow paints at once";
    EXPECT_EQ(backend.frameWidth(), 634);
    EXPECT_EQ(backend.frameHeight(), 455);
    EXPECT_EQ(backend.pixel(0, 0), 0x0A141Eu);
    EXPECT_EQ(backend.pixel(633, 454), 0x0A141Eu);
    UpdateWindow(window);
    EXPECT_EQ(seenOf(WM_PAINT).size(), 1u) << "a valid window is not painted again";
}

TEST(PaintCycle, DefaultHandlingValidatesWithoutDrawing) {
    makeTestWindow();
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    ASSERT_EQ(message.message, WM_PAINT);
    DispatchMessageA(&message);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(TestBackend::current().pixel(5, 5), 0xFFFFFFu) << "the class background, COLOR_WINDOW";
}

TEST(PaintCycle, EraseRequestFillsWithTheClassBackground) {
    HWND window = makeTestWindow(paintSolid);
    UpdateWindow(window);
    HDC dc = GetDC(window);
    PAINTSTRUCT paint{};
    InvalidateRect(window, nullptr, TRUE);
    testHandler() = {};
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    ReleaseDC(window, dc);
    EXPECT_EQ(TestBackend::current().pixel(100, 100), 0xFFFFFFu);
}

TEST(PaintCycle, HiddenWindowIsNotPainted) {
    HWND window = makeTestWindow(paintSolid);
    ShowWindow(window, SW_HIDE);
    InvalidateRect(window, nullptr, FALSE);
    MSG message{};
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(TestBackend::current().windowVisible());
}

TEST(PaintCycle, WindowContextDrawsOnTheWindowAndReleasePresents) {
    HWND window = makeTestWindow();
    auto& backend = TestBackend::current();
    const int before = backend.presentCount();
    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    const RECT square{10, 10, 20, 20};
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &square, brush);
    DeleteObject(brush);
    EXPECT_EQ(ReleaseDC(window, dc), 1);
    EXPECT_EQ(backend.presentCount(), before + 1);
    EXPECT_EQ(backend.pixel(15, 15), 0xFF0000u);
    EXPECT_EQ(backend.pixel(20, 20), 0xFFFFFFu) << "right and bottom edges are exclusive";
    EXPECT_EQ(SelectObject(dc, CreateSolidBrush(0)), nullptr)
        << "nothing is selected into a window's context";
}
