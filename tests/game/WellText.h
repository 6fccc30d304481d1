// Test helpers: wells written as text rows and players of a fresh game.
#pragma once

#include <initializer_list>
#include <string>

#include "game/GameSession.h"

// Fills the well from text rows aligned to the bottom: the last row given is the well's bottom row
// and rows not given are empty. '.' is an empty cell, '1'..'6' a jewel, 'a'..'f' a marked jewel.
void setWell(Player& player, std::initializer_list<const char*> rows);

// One row of the well in the same notation.
[[nodiscard]] std::string rowText(const Player& player, std::uint32_t row);

// The whole well, rows from the top separated by '/'.
[[nodiscard]] std::string wellText(const Player& player);

// The first player of a new game of this kind in the session.
Player& joinedPlayer(GameSession& session, GameKind kind);

// Brings the column down so that its next fall step lands it in the well column it stands over:
// the lower edge on the row boundary above the highest jewel there (or the floor), with credit for
// exactly one step at the next tick.
void placeColumnAboveStack(Player& player);
