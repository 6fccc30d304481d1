// Following held keys and repeating them.
#include "screens/game/HeldKeys.h"

#include "shell/PadControls.h"

void HeldKeys::press(std::int32_t key) {
    keys[static_cast<std::size_t>(key) & 0xFF] = Held{true, 0, 0};
}

void HeldKeys::release(std::int32_t key) {
    keys[static_cast<std::size_t>(key) & 0xFF] = Held{};
}

void HeldKeys::tick(std::uint32_t tickMs, const std::function<void(std::int32_t)>& repeat) {
    for (std::size_t key = 0; key < keys.size(); ++key) {
        Held& held = keys[key];
        if (!held.down) {
            continue;
        }
        held.heldMs += tickMs;
        for (const std::uint32_t due = repeatsDue(held.heldMs); held.repeats < due; ++held.repeats) {
            repeat(static_cast<std::int32_t>(key));
        }
    }
}
