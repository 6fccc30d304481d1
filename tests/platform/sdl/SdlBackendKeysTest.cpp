// SDL key events as the window receives them, on SDL's dummy video driver: AltGr combinations are
// ordinary key-downs, left Alt combinations belong to the system.
#include <gtest/gtest.h>

#include <SDL.h>

#include <array>
#include <cstdlib>

#include "platform/Platform.h"
#include "platform/core/PlatformState.h"
#include "tests/platform/sdl/DummyWindow.h"

namespace {

struct KeyEventCase {
    const char* key;
    SDL_Scancode scancode;
    SDL_Keycode keycode;
    Uint16 modifiers;
    UINT message;
    WPARAM virtualKey;
};

void pushKeyDown(const KeyEventCase& row) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.scancode = row.scancode;
    event.key.keysym.sym = row.keycode;
    event.key.keysym.mod = row.modifiers;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

// The next key message for the window; paints and other messages are dispatched on the way.
MSG nextKeyMessage() {
    MSG message{};
    for (int taken = 0; taken < 100 && GetMessageA(&message, nullptr, 0, 0); ++taken) {
        if (message.message >= WM_KEYDOWN && message.message <= WM_SYSKEYUP) {
            return message;
        }
        DispatchMessageA(&message);
    }
    return MSG{};
}

}  // namespace

TEST(SdlBackend, AltGrCombinationsReachTheWindowAsKeyDowns) {
    HWND window = veskar::testing::openDummyWindow("SDL_KEYS");
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    const std::array<KeyEventCase, 4> cases{{
        {"AZERTY A", SDL_SCANCODE_Q, SDLK_a, KMOD_NONE, WM_KEYDOWN, 'A'},
        {"AltGr+E", SDL_SCANCODE_E, SDLK_e, KMOD_RALT, WM_KEYDOWN, 'E'},
        {"AZERTY digit row with AltGr", SDL_SCANCODE_0, 0xE0, KMOD_RALT, WM_KEYDOWN, '0'},
        {"left Alt+E", SDL_SCANCODE_E, SDLK_e, KMOD_LALT, WM_SYSKEYDOWN, 'E'},
    }};
    for (const KeyEventCase& row : cases) {
        pushKeyDown(row);
        const MSG message = nextKeyMessage();
        EXPECT_EQ(message.message, row.message) << row.key;
        EXPECT_EQ(message.wParam, row.virtualKey) << row.key;
    }
    DestroyWindow(window);
    veskar::platform::shutdownState();
}
