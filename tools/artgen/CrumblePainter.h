// Paints the vanishing animation of a jewel: six 32 x 32 frames side by side.
#pragma once

#include "tools/artgen/Canvas.h"

inline constexpr int CRUMBLE_FRAMES = 6;

// Frame 0 is the whole jewel; it then cracks into shards that drift apart, shrink, fade and drop
// out one by one, until frame 5 holds only a few small splinters. 192 x 32 over the wells' dark blue.
[[nodiscard]] Canvas paintCrumbleStrip(int colourIndex);
