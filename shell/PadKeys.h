// Game pads as keys: on every frame tick the program reads the pads and posts to the window the
// key-down and key-up messages the keyboard would send for each control pressed or released, as the
// current screen maps them (Screen::padKey), so that the rules, the menus and the replays see keys
// alone. Held directions repeat; a stick counts as pressed past a dead zone, with hysteresis.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/Platform.h"
#include "shell/PadControls.h"
#include "shell/Screen.h"

// A stick counts as pressed beyond STICK_PRESS and as released again within STICK_RELEASE, so
// that a stick resting near the threshold never chatters. XInput's own dead zone is 7849.
inline constexpr SHORT STICK_PRESS = 16384;
inline constexpr SHORT STICK_RELEASE = 12288;
// An empty slot is looked at every so many ticks only: on Windows a call for an empty slot is dear.
inline constexpr std::uint32_t EMPTY_SLOT_TICKS = 25;

class PadKeys {
  public:
    // Reads the pads and posts to `window` what changed since the last tick, mapped by `screen` (no
    // screen: nothing is posted). While `boxOpen` (a modal box takes the keys) controls are followed
    // but nothing is posted, and a control pressed meanwhile stays silent until it is released. A pad
    // pulled out releases its controls and tells the screen. tickMs: the frame interval.
    void tick(HWND window, Screen* screen, bool boxOpen, std::uint32_t tickMs);

  private:
    struct Control {
        bool down = false;
        int key = 0;               // the key its press posted, 0 for none
        std::uint64_t screen = 0;  // the screen it was pressed on
        std::uint32_t heldMs = 0;
        std::uint32_t repeats = 0;
    };
    struct Pad {
        bool connected = false;
        std::uint32_t emptyTicks = 0;  // ticks since an empty slot was last looked at
        std::array<bool, 4> stick{};   // Up, Down, Left, Right held by the stick
        std::array<Control, PAD_CONTROL_COUNT> controls{};
    };

    void follow(HWND window, Screen* screen, bool boxOpen, std::size_t slot, const XINPUT_GAMEPAD& state,
                std::uint32_t tickMs);
    void press(HWND window, Control& control, int key, std::uint64_t screen);
    void release(HWND window, Control& control);
    void repeat(HWND window, Control& control, std::uint64_t screen, std::uint32_t tickMs);
    // The controls of the pad as they stand, the stick's hysteresis updated.
    [[nodiscard]] std::array<bool, PAD_CONTROL_COUNT> controlsOf(Pad& pad, const XINPUT_GAMEPAD& state) const;

    std::array<Pad, XUSER_MAX_COUNT> pads{};
    std::array<std::uint8_t, 256> holders{};  // controls holding each key down, by virtual-key code
};

// The program's one translator. Message-loop thread only.
extern PadKeys padKeys;
