// Smoke tests of the SDL backend on SDL's dummy video driver (no display needed): the key table,
// and a window created, painted and closed through the platform API.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "platform/Platform.h"
#include "platform/core/PlatformState.h"
#include "platform/sdl/SdlKeyMap.h"
#include "platform/sdl/SdlText.h"
#include "tests/platform/sdl/DummyWindow.h"

using veskar::platform::characterOf;
using veskar::platform::isExtendedKey;
using veskar::platform::keyDownCharacter;

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

TEST(SdlText, KeyDownsCarryControlCharactersAndLeaveTextToTextEvents) {
    EXPECT_EQ(keyDownCharacter(SDLK_v, KMOD_LCTRL, true), '\x16') << "Ctrl+V, the paste";
    EXPECT_EQ(keyDownCharacter(SDLK_v, KMOD_LCTRL | KMOD_RALT, true), 0) << "AltGr is no Ctrl";
    EXPECT_EQ(keyDownCharacter(SDLK_q, KMOD_NONE, false), 'q');
    EXPECT_EQ(keyDownCharacter(SDLK_q, KMOD_NONE, true), 0);
    EXPECT_EQ(keyDownCharacter(SDLK_BACKSPACE, KMOD_NONE, true), '\b');
}

TEST(SdlBackend, WindowOpensPaintsAndClosesOnTheDummyDriver) {
    HWND window =
        veskar::testing::openDummyWindow("SDL_SMOKE", [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
            if (m == WM_DESTROY)
                PostQuitMessage(3);
            return DefWindowProcA(w, m, wp, lp);
        });
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

TEST(SdlBackend, TextEventsAndTheClipboardComeInWindows1252) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    veskar::platform::resetState();
    auto& backend = *veskar::platform::state().backend;
    ASSERT_TRUE(backend.openWindow("text", 64, 48));
    backend.setTextInput(true);
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    std::strcpy(text.text.text, "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x99\x82!");  // e acute, euro, emoji, !
    ASSERT_EQ(SDL_PushEvent(&text), 1);
    std::string typed;
    veskar::platform::InputEvent event;
    while (backend.nextEvent(event, backend.now())) {
        if (event.kind == veskar::platform::InputEvent::Kind::Character)
            typed += event.character;
    }
    EXPECT_EQ(typed, "\xE9\x80!");
    backend.setTextInput(false);
    ASSERT_EQ(SDL_SetClipboardText("Zo\xC3\xAB\xE2\x82\xAC\xD0\x96"), 0);
    EXPECT_EQ(backend.clipboardText(), "Zo\xEB\x80") << "the clipboard in Windows-1252, Cyrillic dropped";
    veskar::platform::shutdownState();
}

TEST(SdlBackend, KeyPressedWhileTheLoopWaitsForItsTimerArrivesAtOnce) {
    HWND window = veskar::testing::openDummyWindow("SDL_WAIT");
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    const DWORD start = GetTickCount();
    ASSERT_NE(SetTimer(window, 1, 10000, nullptr), 0u);
    std::thread typist([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        SDL_Event key{};
        key.type = SDL_KEYDOWN;
        key.key.state = SDL_PRESSED;
        key.key.keysym.sym = SDLK_q;
        key.key.keysym.scancode = SDL_SCANCODE_Q;
        SDL_PushEvent(&key);
    });
    MSG message{};
    const BOOL taken = GetMessageA(&message, nullptr, 0, 0);
    typist.join();
    EXPECT_TRUE(taken);
    EXPECT_EQ(message.message, WM_KEYDOWN) << "the key comes before the tick";
    EXPECT_EQ(message.wParam, static_cast<WPARAM>('Q'));
    EXPECT_LT(message.time - start, 5000u) << "taken while the timer's 10 s were still running";
    veskar::platform::shutdownState();
}
