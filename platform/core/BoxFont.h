// The layer's own small font for message boxes and dialogs: 5 by 7 pixel glyphs of printable ASCII,
// drawn at a whole-number scale straight into a bitmap.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/core/GdiObjects.h"

namespace veskar::platform {

inline constexpr int BOX_GLYPH_WIDTH = 5;
inline constexpr int BOX_GLYPH_HEIGHT = 7;
inline constexpr int BOX_GLYPH_ADVANCE = 6;  // glyph plus one column of space, before scaling

// Width in pixels of `text` at `scale`.
[[nodiscard]] int boxTextWidth(std::string_view text, int scale);
// Draws `text` with its top-left corner at (x, y); pixels outside the bitmap are skipped.
// Windows-1252 letters with accents draw as their base letter, typographic quotes and dashes as
// their plain forms; other characters outside 32..126 draw as a hollow box.
void drawBoxText(HBITMAP__& target, std::string_view text, int x, int y, int scale, std::uint32_t color);

}  // namespace veskar::platform
