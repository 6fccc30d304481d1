// The seats of a new game as the settings fill them: player 1, then player 2, each with the name and
// the keys the settings hold for it, at the layout the game screen gives.
#pragma once

#include <array>
#include <span>

#include "game/GameSession.h"
#include "settings/Settings.h"

class SettingsSeats {
  public:
    // One seat per layout, for the players in order (at most two).
    explicit SettingsSeats(std::span<const PlayerLayout> layouts);
    SettingsSeats(const SettingsSeats&) = delete;
    SettingsSeats& operator=(const SettingsSeats&) = delete;

    // The seats, valid while this object lives.
    [[nodiscard]] std::span<const PlayerSeat> seats() const { return {filled.data(), count}; }

  private:
    std::array<NameField, 2> names{};  // terminated copies of the settings' name fields
    std::array<PlayerSeat, 2> filled{};
    std::size_t count = 0;
};
