// The shared bitmaps and sounds of the game: static objects that exist, empty, before the entry point
// runs, are loaded during window creation and, the bitmaps, released during window destruction.
#pragma once

#include <array>

#include "shell/BitmapFont.h"
#include "shell/Surface.h"

inline constexpr int JEWEL_COLORS = 6;

extern Surface menuBackground;       // bitmap 102: every menu, the about and high-score screens
extern Surface onePlayerBackground;  // bitmap 118
extern Surface twoPlayerBackground;  // bitmap 128
extern BitmapFont highlightFont;     // bitmap 105: light blue on dark blue
extern BitmapFont normalFont;        // bitmap 104: gold on dark blue
extern std::array<Surface, JEWEL_COLORS> jewelSprites;     // still jewels of colours 1 to 6
extern std::array<Surface, JEWEL_COLORS> jewelAnimations;  // their crumbling strips, six 32-pixel frames

// Loads every bitmap, in the start-up order, into memory contexts compatible with `dc`.
void loadBitmaps(HDC dc, HINSTANCE instance);
// Releases every bitmap, in the shutdown order.
void releaseBitmaps();
// Loads the four sound effects, WAVE resources 124 to 127 in that order. They stay loaded until
// their objects are destroyed at exit.
void loadSounds();
