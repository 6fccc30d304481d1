// The nine levels of the one-player game: fall speed, jewels needed to leave each level and points
// per cleared jewel. The two-player game stays at the first row.
#pragma once

#include <array>
#include <cstdint>

struct LevelRow {
    std::uint32_t period;                 // ticks per fall step
    std::uint32_t step;                   // pixels per fall step
    std::uint32_t jewelsToNext;           // cleared jewels needed to leave this level
    std::array<std::uint32_t, 4> points;  // points per marked jewel, by group (see pointsForMatch)
};

inline constexpr std::uint32_t LEVEL_COUNT = 9;
inline constexpr std::uint32_t LEVEL_SHOW_TICKS = 160;        // the level display ends at the tick after this
inline constexpr std::uint32_t LEVEL_SHOW_VANISH_TICKS = 48;  // 6 vanishing frames of 8 ticks each

// Indexed by the 0-based level; the player sees level + 1.
inline constexpr std::array<LevelRow, LEVEL_COUNT> levelTable{{
    {5, 1, 50, {10, 20, 40, 80}},
    {4, 1, 50, {10, 20, 40, 80}},
    {3, 1, 50, {10, 20, 40, 80}},
    {2, 1, 50, {20, 40, 80, 160}},
    {3, 2, 50, {20, 40, 80, 160}},
    {1, 1, 50, {20, 40, 80, 160}},
    {1, 2, 100, {40, 80, 160, 320}},
    {1, 3, 100, {40, 80, 160, 320}},
    {1, 4, 100, {40, 80, 160, 320}},
}};

// Points of one scan before the chain multiplier: marked jewels 1 to 5 pay points[0], 6 to 9
// points[1], 10 to 13 points[2], every further one points[3].
[[nodiscard]] std::uint32_t pointsForMatch(const LevelRow& row, std::uint32_t markedJewels);
