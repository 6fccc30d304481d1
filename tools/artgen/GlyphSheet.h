// Paints the two 640 x 120 glyph sheets of 14 x 18 cells on a 16 x 20 grid, 16 colours each.
#pragma once

#include "tools/artgen/IndexedImage.h"

inline constexpr int SHEET_WIDTH = 640;
inline constexpr int SHEET_HEIGHT = 120;
inline constexpr int CELL_WIDTH = 14;
inline constexpr int CELL_HEIGHT = 18;
inline constexpr int CELL_GAP = 2;
inline constexpr int CELLS_PER_ROW = 40;
inline constexpr int FIRST_CODE = 32;
inline constexpr int UP_TRIANGLE_CODE = 127;
inline constexpr int DOWN_TRIANGLE_CODE = 128;
// Cells from code 32 to 191 lie on the grid; the two rows for codes 192 and up hold the caption.
inline constexpr int GRID_ROWS = 4;

enum class GlyphColours { Gold, LightBlue };

// The sheet: glyph cells for codes 32..128 in code order, empty cells for 129..191, grid lines in
// the gaps, and the sheet's name written small below the grid.
[[nodiscard]] IndexedImage paintGlyphSheet(GlyphColours colours);
