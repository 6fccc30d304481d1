// SDL's game controllers in XInput's slots and terms.
#include "platform/sdl/SdlPads.h"

#include <algorithm>

namespace veskar::platform {

namespace {

struct ButtonBit {
    SDL_GameControllerButton button;
    WORD bit;
};

inline constexpr std::array<ButtonBit, 14> BUTTONS{{
    {SDL_CONTROLLER_BUTTON_A, XINPUT_GAMEPAD_A},
    {SDL_CONTROLLER_BUTTON_B, XINPUT_GAMEPAD_B},
    {SDL_CONTROLLER_BUTTON_X, XINPUT_GAMEPAD_X},
    {SDL_CONTROLLER_BUTTON_Y, XINPUT_GAMEPAD_Y},
    {SDL_CONTROLLER_BUTTON_BACK, XINPUT_GAMEPAD_BACK},
    {SDL_CONTROLLER_BUTTON_START, XINPUT_GAMEPAD_START},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, XINPUT_GAMEPAD_LEFT_THUMB},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, XINPUT_GAMEPAD_RIGHT_THUMB},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, XINPUT_GAMEPAD_LEFT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, XINPUT_GAMEPAD_RIGHT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, XINPUT_GAMEPAD_DPAD_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, XINPUT_GAMEPAD_DPAD_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, XINPUT_GAMEPAD_DPAD_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, XINPUT_GAMEPAD_DPAD_RIGHT},
}};

// SDL counts a stick's y downward, XInput upward; -32768 turned over is 32767.
SHORT upward(Sint16 value) {
    return static_cast<SHORT>(std::clamp(-static_cast<int>(value), -32768, 32767));
}

// SDL's triggers run 0..32767, XInput's 0..255.
BYTE triggerOf(Sint16 value) {
    return static_cast<BYTE>(std::clamp(static_cast<int>(value), 0, 32767) >> 7);
}

}  // namespace

XINPUT_GAMEPAD padStateOf(SDL_GameController* controller) {
    XINPUT_GAMEPAD pad{};
    for (const ButtonBit& entry : BUTTONS) {
        if (SDL_GameControllerGetButton(controller, entry.button) != 0) {
            pad.wButtons |= entry.bit;
        }
    }
    pad.bLeftTrigger = triggerOf(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_TRIGGERLEFT));
    pad.bRightTrigger = triggerOf(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
    pad.sThumbLX = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
    pad.sThumbLY = upward(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY));
    pad.sThumbRX = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_RIGHTX);
    pad.sThumbRY = upward(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_RIGHTY));
    return pad;
}

SdlPads::~SdlPads() {
    stop();
}

void SdlPads::start() {
    if (!started) {
        started = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    }
}

void SdlPads::stop() {
    for (SDL_GameController*& controller : slots) {
        if (controller != nullptr) {
            SDL_GameControllerClose(controller);
            controller = nullptr;
        }
    }
    if (started) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        started = false;
    }
}

bool SdlPads::handle(const SDL_Event& event) {
    if (event.type == SDL_CONTROLLERDEVICEADDED) {
        arrive(event.cdevice.which);
        return true;
    }
    if (event.type == SDL_CONTROLLERDEVICEREMOVED) {
        leave(event.cdevice.which);
        return true;
    }
    return false;
}

void SdlPads::arrive(int deviceIndex) {
    const SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    const bool known = std::any_of(slots.begin(), slots.end(), [instance](SDL_GameController* controller) {
        return controller != nullptr &&
               SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller)) == instance;
    });
    const auto freeSlot = std::find(slots.begin(), slots.end(), nullptr);
    if (known || freeSlot == slots.end()) {
        return;  // seen already, or a fifth pad, which has no slot
    }
    *freeSlot = SDL_GameControllerOpen(deviceIndex);
}

void SdlPads::leave(SDL_JoystickID instance) {
    for (SDL_GameController*& controller : slots) {
        if (controller != nullptr &&
            SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller)) == instance) {
            SDL_GameControllerClose(controller);
            controller = nullptr;
        }
    }
}

bool SdlPads::read(DWORD slot, XINPUT_GAMEPAD& pad, std::uint64_t now) {
    if (!started || slot >= slots.size()) {
        return false;
    }
    if (now != lastUpdate) {
        // Reads the devices and looks for pads plugged in or pulled out, whose events then wait in
        // SDL's queue; the display connection is not touched.
        SDL_GameControllerUpdate();
        lastUpdate = now;
    }
    SDL_GameController* controller = slots[slot];
    if (controller == nullptr || SDL_GameControllerGetAttached(controller) != SDL_TRUE) {
        return false;
    }
    pad = padStateOf(controller);
    return true;
}

}  // namespace veskar::platform
