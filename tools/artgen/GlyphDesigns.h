// The hand-drawn letter shapes of the game's font: 6 by 9 design pixels per printable character.
// Capitals stand on rows 0 to 6; rows 7 and 8 hold descenders. Each design pixel becomes 2 by 2
// pixels of a 14 by 18 glyph cell, smoothed at the diagonals.
#pragma once

#include <array>
#include <vector>

inline constexpr int DESIGN_COLUMNS = 6;
inline constexpr int DESIGN_ROWS = 9;

struct GlyphDesign {
    char code;
    std::array<const char*, DESIGN_ROWS> rows;  // DESIGN_COLUMNS characters each, 'X' is ink
};

[[nodiscard]] std::vector<GlyphDesign> signGlyphs();   // codes 32 to 64
[[nodiscard]] std::vector<GlyphDesign> upperGlyphs();  // codes 65 to 96
[[nodiscard]] std::vector<GlyphDesign> lowerGlyphs();  // codes 97 to 126

// The design of a printable code 32..126; nullptr for any other code.
[[nodiscard]] const GlyphDesign* designFor(int code);
