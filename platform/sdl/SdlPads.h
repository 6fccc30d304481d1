// Game pads through SDL's game-controller API, whose database maps the common pads' buttons and
// axes to one layout, read as XInput reads pads: four slots, a pad that arrives taking the first
// free one and one that leaves freeing its own.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>

#include "platform/WinXInput.h"

namespace veskar::platform {

class SdlPads {
  public:
    SdlPads() = default;
    SdlPads(const SdlPads&) = delete;
    SdlPads& operator=(const SdlPads&) = delete;
    ~SdlPads();

    // Starts SDL's game controllers; pads already there arrive as events. Without them (an SDL
    // without the subsystem) every slot stays empty.
    void start();
    // Closes every pad and the subsystem.
    void stop();
    // Takes a pad's arrival or departure; false for every other event.
    bool handle(const SDL_Event& event);
    // The pad in the slot as it is now, read at most once per clock millisecond from the devices
    // (which also finds pads plugged in or pulled out); false for an empty slot.
    [[nodiscard]] bool read(DWORD slot, XINPUT_GAMEPAD& pad, std::uint64_t now);

  private:
    void arrive(int deviceIndex);
    void leave(SDL_JoystickID instance);

    bool started = false;
    std::uint64_t lastUpdate = ~std::uint64_t{0};
    std::array<SDL_GameController*, XUSER_MAX_COUNT> slots{};
};

// The XInput picture of an SDL game controller's state.
[[nodiscard]] XINPUT_GAMEPAD padStateOf(SDL_GameController* controller);

}  // namespace veskar::platform
