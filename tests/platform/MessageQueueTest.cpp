// The message queue: order of posted, quit, paint and timer messages, direct sends, the default
// handling of a close request, and the keyboard messages made from input.
#include <gtest/gtest.h>

#include "tests/platform/TestWindow.h"

using veskar::platform::TestBackend;
using namespace veskar::testing;

namespace {

MSG take() {
    MSG message{};
    GetMessageA(&message, nullptr, 0, 0);
    return message;
}

}  // namespace

TEST(MessageQueue, PostedMessagesComeFirstInOrderThenQuitThenPaint) {
    HWND window = makeTestWindow();
    SetTimer(window, 7, 10, nullptr);
    PostMessageA(window, WM_USER + 1, 1, 0);
    PostMessageA(window, WM_USER + 2, 2, 0);
    PostQuitMessage(5);
    EXPECT_EQ(take().message, WM_USER + 1u);
    EXPECT_EQ(take().message, WM_USER + 2u);
    const MSG quit = take();
    EXPECT_EQ(quit.message, WM_QUIT);
    EXPECT_EQ(quit.wParam, 5u);
    EXPECT_EQ(take().message, WM_PAINT);  // the new window owes its first picture
}

TEST(MessageQueue, GetMessageReturnsZeroOnlyForQuit) {
    makeTestWindow();
    PostQuitMessage(3);
    MSG message{};
    EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), FALSE);
    EXPECT_EQ(message.wParam, 3u);
}

TEST(MessageQueue, PaintComesBeforeTimerAndOnlyWhileInvalid) {
    HWND window = makeTestWindow();
    TestBackend::current().at(1000, [] {});  // keeps the script from ending with a close request
    SetTimer(window, 1, 10, nullptr);
    EXPECT_EQ(take().message, WM_PAINT);
    EXPECT_EQ(take().message, WM_PAINT) << "a paint that does not validate is owed again";
    ValidateRect(window, nullptr);
    EXPECT_EQ(take().message, WM_TIMER);
}

TEST(MessageQueue, SendMessageCallsTheProcedureDirectly) {
    HWND window = makeTestWindow([](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        return m == WM_USER ? static_cast<LRESULT>(wp * 2) : DefWindowProcA(w, m, wp, lp);
    });
    seenMessages().clear();
    EXPECT_EQ(SendMessageA(window, WM_USER, 21, 0), 42);
    ASSERT_EQ(seenMessages().size(), 1u);
    MSG message{};
    EXPECT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, WM_PAINT) << "nothing was queued by the send";
}

TEST(MessageQueue, CloseRequestDestroysTheWindowThroughTheDefaultHandling) {
    HWND window = makeTestWindow([](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_DESTROY)
            PostQuitMessage(0);
        return DefWindowProcA(w, m, wp, lp);
    });
    TestBackend::current().requestClose(50);
    pumpUntilQuit(1000);
    EXPECT_EQ(seenOf(WM_CLOSE).size(), 1u);
    EXPECT_EQ(seenOf(WM_DESTROY).size(), 1u);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(TestBackend::current().windowOpen());
}

TEST(MessageQueue, SendingDestroyLeavesTheWindowInPlace) {
    HWND window = makeTestWindow();
    SendMessageA(window, WM_DESTROY, 0, 0);
    EXPECT_TRUE(IsWindow(window));
}

TEST(MessageQueue, CreateFailsWhenCreationHandlerRefuses) {
    TestBackend::reset();
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        return m == WM_CREATE ? -1 : DefWindowProcA(w, m, wp, lp);
    };
    windowClass.lpszClassName = "REFUSING";
    ASSERT_NE(RegisterClassExA(&windowClass), 0);
    EXPECT_EQ(RegisterClassExA(&windowClass), 0) << "a class name is registered once";
    EXPECT_EQ(CreateWindowExA(0, "REFUSING", "x", 0, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_EQ(CreateWindowExA(0, "UNKNOWN", "x", 0, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr),
              nullptr);
}

TEST(MessageQueue, CreateFailsWithoutADisplay) {
    TestBackend::reset().refuseDisplay();
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "PLAIN";
    RegisterClassExA(&windowClass);
    EXPECT_EQ(CreateWindowExA(0, "PLAIN", "x", 0, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr),
              nullptr);
}

TEST(MessageQueue, WindowHasFrameMetricsAndCaption) {
    HWND window = makeTestWindow();
    RECT client{};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, 640 - 2 * GetSystemMetrics(SM_CXFIXEDFRAME));
    EXPECT_EQ(client.bottom, 480 - GetSystemMetrics(SM_CYCAPTION) - 2 * GetSystemMetrics(SM_CYFIXEDFRAME));
    EXPECT_EQ(TestBackend::current().windowTitle(), "TEST");
    EXPECT_TRUE(TestBackend::current().windowVisible());
}

TEST(KeyboardMessages, KeyDownAndUpCarryTheVirtualKeyAndKeyData) {
    makeTestWindow();
    TestBackend::current().keyDown(10, VK_LEFT);
    TestBackend::current().keyUp(20, VK_LEFT);
    pumpUntilQuit(200);
    const auto downs = seenOf(WM_KEYDOWN);
    const auto ups = seenOf(WM_KEYUP);
    ASSERT_EQ(downs.size(), 1u);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(downs[0].wParam, VK_LEFT);
    EXPECT_EQ(downs[0].lParam & 0xFFFF, 1) << "repeat count";
    EXPECT_EQ(downs[0].lParam & (LPARAM{1} << 30), 0) << "the key was up before";
    EXPECT_EQ(downs[0].time, 10u);
    EXPECT_NE(ups[0].lParam & (LPARAM{1} << 31), 0) << "transition bit of a release";
}

TEST(KeyboardMessages, AutoRepeatArrivesAsRepeatedKeyDown) {
    makeTestWindow();
    auto& backend = TestBackend::current();
    backend.keyDown(10, 'A');
    backend.keyRepeat(40, 'A');
    backend.keyRepeat(70, 'A');
    backend.keyUp(80, 'A');
    pumpUntilQuit(200);
    const auto downs = seenOf(WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 3u);
    EXPECT_EQ(downs[1].wParam, static_cast<WPARAM>('A'));
    EXPECT_NE(downs[1].lParam & (LPARAM{1} << 30), 0) << "a repeat says the key was already down";
}

TEST(KeyboardMessages, AltCombinationsAndF10GoToTheSystem) {
    makeTestWindow();
    auto& backend = TestBackend::current();
    backend.altKey(10, 'X');
    backend.tap(20, VK_F10);
    backend.tap(30, VK_MENU);
    pumpUntilQuit(200);
    EXPECT_TRUE(seenOf(WM_KEYDOWN).empty());
    EXPECT_TRUE(seenOf(WM_KEYUP).empty());
    EXPECT_EQ(seenOf(WM_SYSKEYDOWN).size(), 3u);
    EXPECT_EQ(seenOf(WM_SYSKEYUP).size(), 3u);
}

TEST(KeyboardMessages, AltF4ClosesTheWindow) {
    HWND window = makeTestWindow([](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_DESTROY)
            PostQuitMessage(0);
        return DefWindowProcA(w, m, wp, lp);
    });
    TestBackend::current().altKey(10, 0x73);
    TestBackend::current().at(1000, [] {});  // keeps the script going past the key
    pumpUntilQuit(200);
    EXPECT_FALSE(IsWindow(window));
    ASSERT_EQ(seenOf(WM_CLOSE).size(), 1u);
    EXPECT_LT(seenOf(WM_CLOSE)[0].time, 1000u);
}

TEST(KeyboardMessages, TranslateMessageQueuesTheTypedCharacter) {
    makeTestWindow();
    TestBackend::current().tap(10, 'Q', 'q');
    TestBackend::current().tap(20, VK_LEFT);
    pumpUntilQuit(200);
    const auto chars = seenOf(WM_CHAR);
    ASSERT_EQ(chars.size(), 1u) << "cursor keys type nothing";
    EXPECT_EQ(chars[0].wParam, static_cast<WPARAM>('q'));
}

TEST(KeyboardMessages, ScriptEndsWithACloseRequest) {
    makeTestWindow([](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_DESTROY)
            PostQuitMessage(9);
        return DefWindowProcA(w, m, wp, lp);
    });
    MSG message{};
    int taken = 0;
    while (GetMessageA(&message, nullptr, 0, 0) && taken++ < 100) {
        DispatchMessageA(&message);
    }
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_EQ(message.wParam, 9u);
}
