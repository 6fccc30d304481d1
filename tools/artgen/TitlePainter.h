// Paints large bevelled gold lettering (the game's name, labels) from the font's own letter designs.
#pragma once

#include "tools/artgen/Canvas.h"

#include <string_view>

// Writes text with its top-left corner at (left, top); every design pixel becomes pixelSize
// pixels, so a capital is 5 * pixelSize wide and 7 * pixelSize high, letters 6 * pixelSize apart.
void paintTitle(Canvas& canvas, std::string_view text, int left, int top, int pixelSize);
// The width paintTitle needs for text at pixelSize.
[[nodiscard]] int titleWidth(std::string_view text, int pixelSize);
