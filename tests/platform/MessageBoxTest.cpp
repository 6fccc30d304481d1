// The modal message box: drawn over its owner, closed by Enter, Escape or a click, and its loop
// keeps delivering the owner's timer and paint messages.
#include <gtest/gtest.h>

#include "tests/platform/TestWindow.h"

using veskar::platform::TestBackend;
using namespace veskar::testing;

namespace {

// Paints the window dark green and keeps a 10 ms timer running.
HWND makeTickingWindow() {
    HWND window = makeTestWindow(paintsGreenOnEveryTick);
    SetTimer(window, 1, 10, nullptr);
    return window;
}

}  // namespace

TEST(MessageBox, EnterClosesItWhileTimersAndPaintsGoOn) {
    HWND window = makeTickingWindow();
    auto& backend = TestBackend::current();
    std::uint32_t centreWhileOpen = 0;
    std::uint32_t cornerWhileOpen = 0;
    backend.at(95, [&] {
        centreWhileOpen = backend.pixel(317, 227);
        cornerWhileOpen = backend.pixel(2, 2);
    });
    backend.tap(100, VK_RETURN);
    EXPECT_EQ(MessageBoxA(window, "Not enough memory", "General error", MB_OK), IDOK);
    EXPECT_GE(seenOf(WM_TIMER).size(), 9u) << "ticks at 10..90 ms reached the window";
    EXPECT_GE(seenOf(WM_PAINT).size(), 9u);
    EXPECT_TRUE(seenOf(WM_KEYDOWN).empty()) << "the box takes the keys";
    EXPECT_EQ(cornerWhileOpen, 0x004000u);
    EXPECT_NE(centreWhileOpen, 0x004000u) << "the box is drawn over the window";
    EXPECT_EQ(backend.pixel(317, 227), 0x004000u) << "and gone once closed";
}

TEST(MessageBox, EscapeAndClickClose) {
    HWND window = makeTickingWindow();
    TestBackend::current().tap(30, VK_ESCAPE);
    EXPECT_EQ(MessageBoxA(window, "a", "b", MB_OK), IDOK);
    TestBackend::current().tap(40, VK_ESCAPE);
    EXPECT_EQ(MessageBoxA(window, "a", "b", MB_OKCANCEL), IDCANCEL);
    TestBackend::current().click(50);
    EXPECT_EQ(MessageBoxA(window, "a", "b", MB_OK), IDOK);
    TestBackend::current().tap(60, 'A');
    TestBackend::current().tap(70, VK_RETURN);
    EXPECT_EQ(MessageBoxA(window, "a", "b", MB_OK), IDOK);
    EXPECT_EQ(TestBackend::current().now(), 70u) << "other keys do not close it";
}

TEST(MessageBox, QuitInsideTheBoxReachesTheOuterLoop) {
    HWND window = makeTickingWindow();
    PostQuitMessage(4);
    EXPECT_EQ(MessageBoxA(window, "text", "caption", MB_OK), 0);
    MSG message{};
    EXPECT_FALSE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(message.wParam, 4u);
}

TEST(MessageBox, ShowsTheDisplayEvenBeforeTheOwnerIsShown) {
    HWND window = makeTestWindow();
    ShowWindow(window, SW_HIDE);
    bool visibleWhileOpen = false;
    TestBackend::current().at(20, [&] { visibleWhileOpen = TestBackend::current().windowVisible(); });
    TestBackend::current().tap(30, VK_RETURN);
    MessageBoxA(window, "Unavailable resource", "General error", MB_OK);
    EXPECT_TRUE(visibleWhileOpen);
    EXPECT_FALSE(TestBackend::current().windowVisible());
}

TEST(MessageBox, AKeyHeldWhenItOpensActsOnlyOncePressedAgain) {
    HWND window = makeTickingWindow();
    auto& backend = TestBackend::current();
    backend.keyRepeat(20, VK_RETURN);  // the key that opened it, still held
    backend.keyRepeat(60, VK_RETURN);
    backend.keyUp(80, VK_RETURN);
    backend.tap(100, VK_RETURN);
    EXPECT_EQ(MessageBoxA(window, "a", "b", MB_OK), IDOK);
    EXPECT_EQ(backend.now(), 100u) << "closed by the new press, not by the repeats";
}

TEST(MessageBox, ACloseRequestCancelsItAndThenReachesTheWindow) {
    HWND window = makeTickingWindow();
    TestBackend::current().requestClose(30);
    EXPECT_EQ(MessageBoxA(window, "a", "b", MB_OKCANCEL), IDCANCEL);
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(message.hwnd, window);
}
