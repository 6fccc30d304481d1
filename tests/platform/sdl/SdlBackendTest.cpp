// Smoke tests of the SDL backend on SDL's dummy video driver (no display needed): the key table,
// and a window created, painted and closed through the platform API.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Platform.h"
#include "platform/core/PlatformState.h"
#include "platform/sdl/SdlKeyMap.h"

using veskar::platform::characterOf;
using veskar::platform::isExtendedKey;

TEST(SdlKeyMap, TypedCharacters) {
    EXPECT_EQ(characterOf(SDLK_q, KMOD_NONE), 'q');
    EXPECT_EQ(characterOf(SDLK_q, KMOD_LSHIFT), 'Q');
    EXPECT_EQ(characterOf(SDLK_q, KMOD_CAPS), 'Q');
    EXPECT_EQ(characterOf(SDLK_1, KMOD_RSHIFT), '!');
    EXPECT_EQ(characterOf(SDLK_SLASH, KMOD_NONE), '/');
    EXPECT_EQ(characterOf(SDLK_BACKSPACE, KMOD_NONE), '\b');
    EXPECT_EQ(characterOf(SDLK_LEFT, KMOD_NONE), 0);
    EXPECT_EQ(characterOf(SDLK_q, KMOD_LCTRL), 0);
    EXPECT_TRUE(isExtendedKey(SDL_SCANCODE_LEFT));
    EXPECT_FALSE(isExtendedKey(SDL_SCANCODE_A));
}

TEST(SdlBackend, WindowOpensPaintsAndClosesOnTheDummyDriver) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    veskar::platform::resetState();
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_DESTROY)
            PostQuitMessage(3);
        return DefWindowProcA(w, m, wp, lp);
    };
    windowClass.lpszClassName = "SDL_SMOKE";
    ASSERT_NE(RegisterClassExA(&windowClass), 0);
    HWND window = CreateWindowExA(0, "SDL_SMOKE", "smoke", 0x00080001, CW_USEDEFAULT, CW_USEDEFAULT, 640, 480,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    ASSERT_NE(SetTimer(window, 1, 10, nullptr), 0u);
    MSG message{};
    ASSERT_TRUE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(message.message, WM_TIMER) << "the real clock reaches the deadline";
    PostMessageA(window, WM_CLOSE, 0, 0);
    int taken = 0;
    while (GetMessageA(&message, nullptr, 0, 0) && taken++ < 100) {
        DispatchMessageA(&message);
    }
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_EQ(message.wParam, 3u);
    EXPECT_FALSE(IsWindow(window));
    veskar::platform::shutdownState();
}
