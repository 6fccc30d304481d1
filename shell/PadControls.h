// The controls of a game pad that Veskar uses, and the key repeat that held keys and controls share.
#pragma once

#include <cstddef>
#include <cstdint>

enum class PadControl : std::uint8_t {
    Up,     // d-pad up or left stick up
    Down,   // d-pad down or left stick down
    Left,   // d-pad left or left stick left
    Right,  // d-pad right or left stick right
    A,      // the south face button
    B,      // the east face button
    Start,
    Back,
};
inline constexpr std::size_t PAD_CONTROL_COUNT = 8;

// A held key repeats as a desktop's does: after REPEAT_DELAY_MS, REPEATS_PER_SECOND times a second.
// The game screens repeat held keys and pad controls themselves at this delay and rate; in the menus
// the desktop repeats keys, and pads repeat their directions at the same delay and rate.
inline constexpr std::uint32_t REPEAT_DELAY_MS = 500;
inline constexpr std::uint32_t REPEATS_PER_SECOND = 30;

// How many repeats a key held for `heldMs` milliseconds has made: none within the delay, the first
// when it ends, then one every 1/REPEATS_PER_SECOND s.
[[nodiscard]] constexpr std::uint32_t repeatsDue(std::uint32_t heldMs) {
    return heldMs < REPEAT_DELAY_MS ? 0 : 1 + (heldMs - REPEAT_DELAY_MS) * REPEATS_PER_SECOND / 1000;
}
