// Reading the pads and posting their keys.
#include "shell/PadKeys.h"

PadKeys padKeys;

namespace {

inline constexpr LPARAM WAS_DOWN = LPARAM{1} << 30;
inline constexpr LPARAM RELEASED = LPARAM{1} << 31;

bool isDirection(std::size_t control) {
    return control <= static_cast<std::size_t>(PadControl::Right);
}

// The stick's hold on one direction: pressed beyond STICK_PRESS, kept until back within STICK_RELEASE.
bool stickHolds(bool held, int towards) {
    return held ? towards > STICK_RELEASE : towards > STICK_PRESS;
}

}  // namespace

void PadKeys::tick(HWND window, Screen* screen, bool boxOpen, std::uint32_t tickMs) {
    for (std::size_t slot = 0; slot < pads.size(); ++slot) {
        Pad& pad = pads[slot];
        if (!pad.connected && ++pad.emptyTicks < EMPTY_SLOT_TICKS) {
            continue;
        }
        pad.emptyTicks = 0;
        XINPUT_STATE state{};
        const bool connected = XInputGetState(static_cast<DWORD>(slot), &state) == ERROR_SUCCESS;
        if (!connected) {
            if (pad.connected) {
                for (Control& control : pad.controls) {
                    release(window, control);
                }
                pad = Pad{};
                if (screen != nullptr) {
                    screen->onPadLost(window, slot);
                }
            }
            continue;
        }
        pad.connected = true;
        follow(window, screen, boxOpen, slot, state.Gamepad, tickMs);
    }
}

std::array<bool, PAD_CONTROL_COUNT> PadKeys::controlsOf(Pad& pad, const XINPUT_GAMEPAD& state) const {
    // XInput's stick counts up as positive.
    const int towards[4] = {state.sThumbLY, -state.sThumbLY, -state.sThumbLX, state.sThumbLX};
    for (std::size_t direction = 0; direction < pad.stick.size(); ++direction) {
        pad.stick[direction] = stickHolds(pad.stick[direction], towards[direction]);
    }
    const WORD buttons = state.wButtons;
    return {
        (buttons & XINPUT_GAMEPAD_DPAD_UP) != 0 || pad.stick[0],
        (buttons & XINPUT_GAMEPAD_DPAD_DOWN) != 0 || pad.stick[1],
        (buttons & XINPUT_GAMEPAD_DPAD_LEFT) != 0 || pad.stick[2],
        (buttons & XINPUT_GAMEPAD_DPAD_RIGHT) != 0 || pad.stick[3],
        (buttons & XINPUT_GAMEPAD_A) != 0,
        (buttons & XINPUT_GAMEPAD_B) != 0,
        (buttons & XINPUT_GAMEPAD_START) != 0,
        (buttons & XINPUT_GAMEPAD_BACK) != 0,
    };
}

void PadKeys::follow(HWND window, Screen* screen, bool boxOpen, std::size_t slot, const XINPUT_GAMEPAD& state,
                     std::uint32_t tickMs) {
    Pad& pad = pads[slot];
    const std::array<bool, PAD_CONTROL_COUNT> now = controlsOf(pad, state);
    const std::uint64_t serial = screen != nullptr ? screen->serial : 0;
    for (std::size_t index = 0; index < PAD_CONTROL_COUNT; ++index) {
        Control& control = pad.controls[index];
        if (now[index] && !control.down) {
            const bool posts = screen != nullptr && !boxOpen;
            press(window, control, posts ? screen->padKey(slot, static_cast<PadControl>(index)) : 0, serial);
        } else if (!now[index] && control.down) {
            release(window, control);
        } else if (now[index] && isDirection(index)) {
            repeat(window, control, serial, tickMs);
        }
    }
}

void PadKeys::press(HWND window, Control& control, int key, std::uint64_t screen) {
    control = Control{true, key & 0xFF, screen, 0, 0};
    if (control.key != 0 && holders[control.key]++ == 0) {
        PostMessageA(window, WM_KEYDOWN, static_cast<WPARAM>(control.key), 1);
    }
}

void PadKeys::release(HWND window, Control& control) {
    if (control.down && control.key != 0 && holders[control.key] > 0 && --holders[control.key] == 0) {
        PostMessageA(window, WM_KEYUP, static_cast<WPARAM>(control.key), 1 | WAS_DOWN | RELEASED);
    }
    control = Control{};
}

// A held direction repeats as a held key does, on the screen it was pressed on only.
void PadKeys::repeat(HWND window, Control& control, std::uint64_t screen, std::uint32_t tickMs) {
    if (control.key == 0 || control.screen != screen) {
        return;
    }
    control.heldMs += tickMs;
    for (const std::uint32_t due = repeatsDue(control.heldMs); control.repeats < due; ++control.repeats) {
        PostMessageA(window, WM_KEYDOWN, static_cast<WPARAM>(control.key), 1 | WAS_DOWN);
    }
}
