// Game pads as the desktop's games read them (XInput): four user slots, each a pad or nothing, read
// whole on every call. On Windows the system's XInput 1.4 answers; elsewhere Veskar's layer reads
// the backend's pads (SDL's game controllers, or the test backend's virtual pads).
#pragma once

#include "platform/WinTypes.h"

using SHORT = std::int16_t;

inline constexpr DWORD XUSER_MAX_COUNT = 4;
inline constexpr DWORD ERROR_SUCCESS = 0;
inline constexpr DWORD ERROR_BAD_ARGUMENTS = 160;
inline constexpr DWORD ERROR_DEVICE_NOT_CONNECTED = 1167;

// Bits of XINPUT_GAMEPAD::wButtons.
inline constexpr WORD XINPUT_GAMEPAD_DPAD_UP = 0x0001;
inline constexpr WORD XINPUT_GAMEPAD_DPAD_DOWN = 0x0002;
inline constexpr WORD XINPUT_GAMEPAD_DPAD_LEFT = 0x0004;
inline constexpr WORD XINPUT_GAMEPAD_DPAD_RIGHT = 0x0008;
inline constexpr WORD XINPUT_GAMEPAD_START = 0x0010;
inline constexpr WORD XINPUT_GAMEPAD_BACK = 0x0020;
inline constexpr WORD XINPUT_GAMEPAD_LEFT_THUMB = 0x0040;
inline constexpr WORD XINPUT_GAMEPAD_RIGHT_THUMB = 0x0080;
inline constexpr WORD XINPUT_GAMEPAD_LEFT_SHOULDER = 0x0100;
inline constexpr WORD XINPUT_GAMEPAD_RIGHT_SHOULDER = 0x0200;
inline constexpr WORD XINPUT_GAMEPAD_A = 0x1000;  // the south face button
inline constexpr WORD XINPUT_GAMEPAD_B = 0x2000;  // east
inline constexpr WORD XINPUT_GAMEPAD_X = 0x4000;  // west
inline constexpr WORD XINPUT_GAMEPAD_Y = 0x8000;  // north

inline constexpr SHORT XINPUT_GAMEPAD_LEFT_THUMB_DEADZONE = 7849;
inline constexpr SHORT XINPUT_GAMEPAD_RIGHT_THUMB_DEADZONE = 8689;
inline constexpr BYTE XINPUT_GAMEPAD_TRIGGER_THRESHOLD = 30;

inline constexpr BYTE XINPUT_DEVTYPE_GAMEPAD = 0x01;
inline constexpr BYTE XINPUT_DEVSUBTYPE_GAMEPAD = 0x01;
inline constexpr DWORD XINPUT_FLAG_GAMEPAD = 0x00000001;

struct XINPUT_GAMEPAD {
    WORD wButtons = 0;
    BYTE bLeftTrigger = 0;  // 0..255
    BYTE bRightTrigger = 0;
    SHORT sThumbLX = 0;  // -32768..32767, right positive
    SHORT sThumbLY = 0;  // up positive
    SHORT sThumbRX = 0;
    SHORT sThumbRY = 0;
};

struct XINPUT_STATE {
    DWORD dwPacketNumber = 0;  // changes whenever the pad's state changes
    XINPUT_GAMEPAD Gamepad;
};

struct XINPUT_VIBRATION {
    WORD wLeftMotorSpeed = 0;
    WORD wRightMotorSpeed = 0;
};

struct XINPUT_CAPABILITIES {
    BYTE Type = 0;
    BYTE SubType = 0;
    WORD Flags = 0;
    XINPUT_GAMEPAD Gamepad;  // the controls the pad has: bits and full ranges where it has them
    XINPUT_VIBRATION Vibration;
};

// The pad in slot userIndex (0..3): ERROR_SUCCESS and its state, ERROR_DEVICE_NOT_CONNECTED for an
// empty slot (the state is then left alone), ERROR_BAD_ARGUMENTS for another slot or no state.
// Window thread; cheap enough to call for every slot on every frame tick.
DWORD XInputGetState(DWORD userIndex, XINPUT_STATE* state);
// What the pad in the slot offers; flags 0 or XINPUT_FLAG_GAMEPAD. Results as XInputGetState.
DWORD XInputGetCapabilities(DWORD userIndex, DWORD flags, XINPUT_CAPABILITIES* capabilities);
