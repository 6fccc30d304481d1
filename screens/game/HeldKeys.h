// The game screens' own key repeat. The desktop repeats only the key pressed last, so one player's
// tap would stop the other's held key; here every held key that moves or rotates a column repeats
// on its own, at the desktop's usual delay and rate, whatever else is pressed.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

class HeldKeys {
  public:
    // Starts following a key from its press; a key already followed starts again.
    void press(std::int32_t key);
    void release(std::int32_t key);
    // One frame tick of tickMs milliseconds: `repeat` is called for every repeat now due, in key
    // order.
    void tick(std::uint32_t tickMs, const std::function<void(std::int32_t)>& repeat);

  private:
    struct Held {
        bool down = false;
        std::uint32_t heldMs = 0;
        std::uint32_t repeats = 0;
    };
    std::array<Held, 256> keys{};  // by virtual-key code
};
