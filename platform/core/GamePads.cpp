// XInput's two calls on the backend's pads: the state with its packet number, and what a pad offers.

#include "platform/WinXInput.h"
#include "platform/core/PlatformState.h"

using veskar::platform::state;

namespace {

bool samePad(const XINPUT_GAMEPAD& a, const XINPUT_GAMEPAD& b) {
    return a.wButtons == b.wButtons && a.bLeftTrigger == b.bLeftTrigger &&
           a.bRightTrigger == b.bRightTrigger && a.sThumbLX == b.sThumbLX && a.sThumbLY == b.sThumbLY &&
           a.sThumbRX == b.sThumbRX && a.sThumbRY == b.sThumbRY;
}

// Every button and axis of a standard pad, as XInputGetCapabilities reports them.
inline constexpr WORD ALL_BUTTONS = 0xF3FF;
inline constexpr SHORT FULL_AXIS = static_cast<SHORT>(0xFFC0);

}  // namespace

DWORD XInputGetState(DWORD userIndex, XINPUT_STATE* padState) {
    if (userIndex >= XUSER_MAX_COUNT || padState == nullptr) {
        return ERROR_BAD_ARGUMENTS;
    }
    auto& platform = state();
    veskar::platform::PadSlot& slot = platform.pads[userIndex];
    XINPUT_GAMEPAD now{};
    if (!platform.backend->readPad(userIndex, now)) {
        slot.connected = false;
        return ERROR_DEVICE_NOT_CONNECTED;
    }
    // The number changes with the state, and also when a pad arrives, so no reader mistakes a new
    // pad for the old one.
    if (!slot.connected || !samePad(now, slot.last)) {
        ++slot.packet;
    }
    slot.connected = true;
    slot.last = now;
    padState->dwPacketNumber = slot.packet;
    padState->Gamepad = now;
    return ERROR_SUCCESS;
}

DWORD XInputGetCapabilities(DWORD userIndex, DWORD flags, XINPUT_CAPABILITIES* capabilities) {
    if (userIndex >= XUSER_MAX_COUNT || capabilities == nullptr || (flags & ~XINPUT_FLAG_GAMEPAD) != 0) {
        return ERROR_BAD_ARGUMENTS;
    }
    XINPUT_GAMEPAD now{};
    if (!state().backend->readPad(userIndex, now)) {
        return ERROR_DEVICE_NOT_CONNECTED;
    }
    *capabilities = XINPUT_CAPABILITIES{};
    capabilities->Type = XINPUT_DEVTYPE_GAMEPAD;
    capabilities->SubType = XINPUT_DEVSUBTYPE_GAMEPAD;
    capabilities->Gamepad.wButtons = ALL_BUTTONS;
    capabilities->Gamepad.bLeftTrigger = 0xFF;
    capabilities->Gamepad.bRightTrigger = 0xFF;
    capabilities->Gamepad.sThumbLX = FULL_AXIS;
    capabilities->Gamepad.sThumbLY = FULL_AXIS;
    capabilities->Gamepad.sThumbRX = FULL_AXIS;
    capabilities->Gamepad.sThumbRY = FULL_AXIS;
    return ERROR_SUCCESS;
}
