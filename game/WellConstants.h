// Sizes and cell codes of a player's well, and the timing of its clearing, collapse and rising phases.
// Pixel values are in units of the 32-pixel cell grid the game is drawn on.
#pragma once

#include <cstdint>

inline constexpr std::uint32_t WELL_WIDTH = 5;    // default number of columns
inline constexpr std::uint32_t WELL_HEIGHT = 13;  // default number of rows
inline constexpr std::uint32_t CELL_SIZE = 32;    // pixels per cell, both directions
inline constexpr std::uint32_t COLOUR_COUNT = 6;  // jewel colours

// A cell holds EMPTY_CELL or a jewel code FIRST_JEWEL..FIRST_JEWEL+5 (the digits '1' to '6'),
// possibly with MARK_BIT. The colour index of a jewel is its code without the mark minus FIRST_JEWEL.
inline constexpr std::uint8_t EMPTY_CELL = 0x30;
inline constexpr std::uint8_t FIRST_JEWEL = 0x31;
// On a jewel: part of a run while clearing; falling while collapsing. Never set on EMPTY_CELL.
inline constexpr std::uint8_t MARK_BIT = 0x80;

inline constexpr std::uint32_t CLEAR_FRAMES = 6;    // ticks of the clearing phase
inline constexpr std::uint32_t COLLAPSE_SPEED = 2;  // pixels per tick of falling jewels; divides CELL_SIZE
inline constexpr std::uint32_t RISE_TICKS = 32;     // ticks to push in one row, 1 pixel per tick
