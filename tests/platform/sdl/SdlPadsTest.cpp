// Pads through SDL's real event path: virtual joysticks of SDL's own, presented as game
// controllers, plugged in and pulled out while the platform's XInput calls read them.
#include <gtest/gtest.h>

#include <cstdlib>

#include <SDL.h>

#include "platform/Platform.h"
#include "platform/core/PlatformState.h"
#include "tests/platform/sdl/DummyWindow.h"

namespace {

// A window on SDL's dummy driver, so that the backend runs SDL and its event loop.
HWND openWindow() {
    // The dummy driver's window never has the keyboard's focus, without which SDL ignores pads.
    setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
    return veskar::testing::openDummyWindow("SDL_PADS");
}

// Lets the platform take SDL's pending events, as the message loop does between ticks.
void pump() {
    MSG message{};
    for (int round = 0; round < 3; ++round) {
        XINPUT_STATE ignored{};
        (void)XInputGetState(0, &ignored);  // reads the devices, which queues arrivals and departures
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        SDL_Delay(2);
    }
}

// A virtual pad that SDL presents as a game controller: its buttons and axes in SDL's order.
int plugVirtualPad() {
    return SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                     SDL_CONTROLLER_BUTTON_MAX, 0);
}

}  // namespace

TEST(SdlPads, XInputReportsWhatTheVirtualPadPressesAndFollowsItsPlugging) {
    ASSERT_NE(openWindow(), nullptr);
    XINPUT_STATE state{};
    ASSERT_EQ(XInputGetState(0, &state), ERROR_DEVICE_NOT_CONNECTED) << "no pad yet";
    const int device = plugVirtualPad();
    ASSERT_GE(device, 0) << SDL_GetError();
    SDL_Joystick* joystick = SDL_JoystickOpen(device);
    ASSERT_NE(joystick, nullptr);
    pump();
    ASSERT_EQ(XInputGetState(0, &state), ERROR_SUCCESS) << "the pad took the first slot";
    EXPECT_EQ(XInputGetState(1, &state), ERROR_DEVICE_NOT_CONNECTED);

    struct Case {
        const char* what;
        int button;  // -1: none
        int axis;
        Sint16 value;
        WORD buttons;
        SHORT stickX;
        SHORT stickY;
    };
    const Case cases[] = {
        {"A, the south face button", SDL_CONTROLLER_BUTTON_A, -1, 0, XINPUT_GAMEPAD_A, 0, 0},
        {"Start", SDL_CONTROLLER_BUTTON_START, -1, 0, XINPUT_GAMEPAD_START, 0, 0},
        {"d-pad left", SDL_CONTROLLER_BUTTON_DPAD_LEFT, -1, 0, XINPUT_GAMEPAD_DPAD_LEFT, 0, 0},
        {"stick right", -1, SDL_CONTROLLER_AXIS_LEFTX, 30000, 0, 30000, 0},
        {"stick down, which XInput counts downward negative", -1, SDL_CONTROLLER_AXIS_LEFTY, 20000, 0, 0,
         -20000},
        {"stick fully up", -1, SDL_CONTROLLER_AXIS_LEFTY, -32768, 0, 0, 32767},
    };
    DWORD lastPacket = 0;
    for (const Case& test : cases) {
        for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
            SDL_JoystickSetVirtualButton(joystick, button, button == test.button ? 1 : 0);
        }
        for (int axis = 0; axis < SDL_CONTROLLER_AXIS_MAX; ++axis) {
            SDL_JoystickSetVirtualAxis(joystick, axis, axis == test.axis ? test.value : 0);
        }
        pump();
        ASSERT_EQ(XInputGetState(0, &state), ERROR_SUCCESS) << test.what;
        EXPECT_EQ(state.Gamepad.wButtons, test.buttons) << test.what;
        EXPECT_EQ(state.Gamepad.sThumbLX, test.stickX) << test.what;
        EXPECT_EQ(state.Gamepad.sThumbLY, test.stickY) << test.what;
        EXPECT_NE(state.dwPacketNumber, lastPacket) << test.what << ": a new state, a new packet number";
        lastPacket = state.dwPacketNumber;
    }
    XINPUT_CAPABILITIES capabilities{};
    ASSERT_EQ(XInputGetCapabilities(0, XINPUT_FLAG_GAMEPAD, &capabilities), ERROR_SUCCESS);
    EXPECT_EQ(capabilities.Type, XINPUT_DEVTYPE_GAMEPAD);

    SDL_JoystickClose(joystick);
    ASSERT_EQ(SDL_JoystickDetachVirtual(device), 0);
    pump();
    EXPECT_EQ(XInputGetState(0, &state), ERROR_DEVICE_NOT_CONNECTED) << "pulled out: the slot is free";
    veskar::platform::resetState();
}
