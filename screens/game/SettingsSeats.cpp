// Seats named and keyed from the settings.
#include "screens/game/SettingsSeats.h"

#include <algorithm>

SettingsSeats::SettingsSeats(std::span<const PlayerLayout> layouts)
    : count(std::min(layouts.size(), filled.size())) {
    const std::array<const KeyBindings*, 2> keys{&player1Keys, &player2Keys};
    for (std::size_t player = 0; player < count; ++player) {
        copyName(settings.record.playerNames[player], names[player].data(), names[player].size());
        filled[player] = PlayerSeat{names[player].data(), *keys[player], layouts[player]};
    }
}
