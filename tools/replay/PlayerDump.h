// The one-line text form of a player's state that veskar-replay prints for "dump".
#pragma once

#include <cstdint>
#include <string>

#include "game/Player.h"

// "P <number> score ... well <cells>" without a line end. The state word is the first that applies of
// over, show, clearing, collapsing, rising, falling; columns are written bottom, middle, top as digits;
// the well row by row from the top: '.' empty, '1'..'6' a jewel, 'a'..'f' a jewel carrying the mark.
[[nodiscard]] std::string dumpPlayer(std::uint32_t number, const Player& player);
