// A player's four keys: the virtual-key code that performs each action. The settings keep both
// players' own, the key menus change them, and a game hands them to its players.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/Platform.h"

enum class Action : std::uint8_t {
    Left,
    Right,
    Fast,    // held: the column falls at 2 x fallPeriod credit
    Rotate,  // cycles the column's jewels
};
inline constexpr std::size_t ACTION_COUNT = 4;
inline constexpr std::array<Action, ACTION_COUNT> ACTIONS{Action::Left, Action::Right, Action::Fast,
                                                          Action::Rotate};

// One value for each action, in action order.
template <typename Value>
struct PerAction {
    std::array<Value, ACTION_COUNT> values{};

    [[nodiscard]] constexpr Value& operator[](Action action) {
        return values[static_cast<std::size_t>(action)];
    }
    [[nodiscard]] constexpr const Value& operator[](Action action) const {
        return values[static_cast<std::size_t>(action)];
    }
    bool operator==(const PerAction&) const = default;
};

struct KeyBindings : PerAction<std::int32_t> {
    // The first action, in action order, bound to the key; none when no action is. A key bound to
    // two actions acts as the first.
    [[nodiscard]] constexpr std::optional<Action> actionFor(std::int32_t virtualKey) const {
        for (const Action action : ACTIONS) {
            if ((*this)[action] == virtualKey) {
                return action;
            }
        }
        return std::nullopt;
    }
};

// Each player's keys in a fresh settings record: O, P, A and X for player 1; the cursor keys Left,
// Right, Down and Up for player 2.
inline constexpr std::array<KeyBindings, 2> DEFAULT_KEYS{{
    {{{{'O', 'P', 'A', 'X'}}}},
    {{{{VK_LEFT, VK_RIGHT, VK_DOWN, VK_UP}}}},
}};
