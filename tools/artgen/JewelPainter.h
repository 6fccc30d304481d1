// Paints the six faceted jewels: each colour has its own cut, so colours also differ in shape.
#pragma once

#include "tools/artgen/Canvas.h"
#include "tools/artgen/IconEncoder.h"

#include <vector>

inline constexpr int JEWEL_COLOURS = 6;
inline constexpr int JEWEL_SIZE = 32;

// A jewel before it is laid on a background: colour and coverage (0..1) per pixel, top row first.
struct JewelLayer {
    int size = 0;
    std::vector<Rgb> colour;
    std::vector<double> coverage;
};

// Jewel colour index 0..5 (red, green, blue, yellow, purple, cyan) at size x size pixels.
[[nodiscard]] JewelLayer paintJewelLayer(int colourIndex, int size);
// The layer laid over a background colour.
[[nodiscard]] Canvas composeJewel(const JewelLayer& layer, Rgb background);
// Lays a jewel of the given colour and size over the canvas with its top-left corner at (x, y).
void placeJewel(Canvas& canvas, int colourIndex, int size, int x, int y);
// The layer as an icon image, transparent outside the jewel.
[[nodiscard]] IconImage jewelIcon(int colourIndex, int size);
