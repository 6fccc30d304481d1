// The screen framework: routing of the forwarded messages, the double-buffered paint with its
// erase rule, and the hand-over from one screen to the next through currentScreen.
#include <gtest/gtest.h>

#include "platform/core/GdiObjects.h"
#include "platform/core/PlatformState.h"
#include "platform/testing/TestBackend.h"
#include "shell/Screen.h"

using veskar::platform::TestBackend;

namespace {

inline constexpr std::uint32_t UNDEFINED = 0xFF00FF;  // what a new buffer holds in these tests

struct Calls {
    int keyDowns = 0;
    int keyUps = 0;
    int timers = 0;
    int draws = 0;
    WPARAM lastKey = 0;
    LPARAM lastKeyData = 0;
    std::uint32_t bufferCornerAtDraw = 0;
    int deleted = 0;
};

class ProbeScreen : public Screen {
  public:
    ProbeScreen(Calls& record, bool switchOnKey) : calls(record), switches(switchOnKey) {}
    ~ProbeScreen() override { ++calls.deleted; }

    int onKeyDown(HWND window, WPARAM key, LPARAM data, std::unique_ptr<Screen>& current) override {
        ++calls.keyDowns;
        calls.lastKey = key;
        calls.lastKeyData = data;
        if (switches) {
            Calls& next = *nextCalls;
            current.reset();  // this screen is gone from here on
            current = std::make_unique<ProbeScreen>(next, false);
            current->invalidate(window, 1);
        }
        return 5;
    }
    int onKeyUp(HWND, WPARAM, LPARAM, std::unique_ptr<Screen>&) override { return ++calls.keyUps; }
    int onTimer(HWND, WPARAM, LPARAM, std::unique_ptr<Screen>&) override { return ++calls.timers; }
    int draw(HWND, WPARAM, LPARAM, HDC offscreen, std::unique_ptr<Screen>&) override {
        ++calls.draws;
        calls.bufferCornerAtDraw = offscreen->bitmap->pixel(0, 0);
        const RECT square{10, 10, 20, 20};
        HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
        FillRect(offscreen, &square, brush);
        DeleteObject(brush);
        return 7;
    }

    Calls* nextCalls = nullptr;

  private:
    Calls& calls;
    bool switches;
};

std::unique_ptr<Screen>& slot() {
    static std::unique_ptr<Screen> current;
    return current;
}

LRESULT CALLBACK forwardingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == WM_PAINT || message == WM_KEYDOWN || message == WM_KEYUP || message == WM_TIMER) &&
        slot()) {
        return slot()->handleMessage(window, message, wParam, lParam, slot());
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class ScreenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TestBackend::reset().setFreshBitmapColour(UNDEFINED);
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = forwardingProcedure;
        windowClass.lpszClassName = "SCREEN_TEST";
        RegisterClassExA(&windowClass);
        window = CreateWindowExA(0, "SCREEN_TEST", "T", 0x00080001, 0, 0, 640, 480, nullptr, nullptr, nullptr,
                                 nullptr);
        ShowWindow(window, SW_SHOW);
        ValidateRect(window, nullptr);
        auto screen = std::make_unique<ProbeScreen>(calls, false);
        probe = screen.get();
        slot() = std::move(screen);
    }
    void TearDown() override { slot().reset(); }

    HWND window = nullptr;
    Calls calls;
    ProbeScreen* probe = nullptr;
};

}  // namespace

TEST_F(ScreenTest, RoutesKeysAndTicksToTheirHandlers) {
    EXPECT_EQ(SendMessageA(window, WM_KEYDOWN, VK_LEFT, 0x14B0001), 5);
    EXPECT_EQ(calls.lastKey, VK_LEFT);
    EXPECT_EQ(calls.lastKeyData, 0x14B0001);
    SendMessageA(window, WM_KEYUP, VK_LEFT, 0);
    SendMessageA(window, WM_TIMER, 0xF10F, 0);
    EXPECT_EQ(calls.keyUps, 1);
    EXPECT_EQ(calls.timers, 1);
    EXPECT_EQ(probe->handleMessage(window, WM_CHAR, 'a', 0, slot()), 0);
    EXPECT_EQ(calls.keyDowns, 1);
}

TEST_F(ScreenTest, FirstPaintStartsFromTheMenuTextColour) {
    probe->invalidate(window, 1);
    UpdateWindow(window);
    ASSERT_EQ(calls.draws, 1);
    EXPECT_EQ(calls.bufferCornerAtDraw, 0x000000u) << "COLOR_MENUTEXT";
    EXPECT_EQ(probe->eraseBackground, 0) << "every paint clears the flag";
    EXPECT_EQ(TestBackend::current().pixel(15, 15), 0x0000FFu) << "the buffer reached the window";
    EXPECT_EQ(TestBackend::current().pixel(0, 0), 0x000000u);
}

TEST_F(ScreenTest, OnlyAnErasingInvalidateClearsTheBuffer) {
    probe->invalidate(window, 1);
    UpdateWindow(window);
    EXPECT_EQ(calls.bufferCornerAtDraw, 0x000000u);
    probe->invalidate(window, 0);
    UpdateWindow(window);
    EXPECT_EQ(calls.draws, 2);
    EXPECT_EQ(calls.bufferCornerAtDraw, UNDEFINED) << "no clearing without the erase flag";
}

TEST_F(ScreenTest, EraseThenPlainInvalidateDrawsWithoutClearing) {
    probe->invalidate(window, 1);
    probe->invalidate(window, 0);
    UpdateWindow(window);
    ASSERT_EQ(calls.draws, 1);
    EXPECT_EQ(calls.bufferCornerAtDraw, UNDEFINED);
}

TEST_F(ScreenTest, PaintReturnsWhatDrawReturned) {
    EXPECT_EQ(probe->handleMessage(window, WM_PAINT, 0, 0, slot()), 7);
}

TEST_F(ScreenTest, SwitchedToScreenGetsTheNextMessageAndAClearedPaint) {
    Calls nextCalls;
    auto switching = std::make_unique<ProbeScreen>(calls, true);
    switching->nextCalls = &nextCalls;
    slot() = std::move(switching);
    EXPECT_EQ(calls.deleted, 1) << "the screen of SetUp";
    SendMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(calls.deleted, 2) << "the switching screen deleted itself";
    EXPECT_EQ(calls.keyDowns, 1);
    SendMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(nextCalls.keyDowns, 1);
    EXPECT_EQ(calls.keyDowns, 1);
    UpdateWindow(window);
    EXPECT_EQ(nextCalls.draws, 1);
    EXPECT_EQ(nextCalls.bufferCornerAtDraw, 0x000000u);
}

TEST_F(ScreenTest, PaintLeavesNoDrawingObjectsBehind) {
    const std::size_t before = veskar::platform::state().gdi.liveObjects();
    probe->invalidate(window, 1);
    UpdateWindow(window);
    EXPECT_EQ(calls.draws, 1);
    EXPECT_EQ(veskar::platform::state().gdi.liveObjects(), before)
        << "buffer, its context and the brush are freed";
}
