// Where the backgrounds carry their dark-blue boxes, and which screen draws into each one.
// The rectangles are the box interiors (left, top inclusive; right, bottom exclusive); the painted
// frames lie just outside them. Text is drawn as opaque dark-blue glyph cells, so every interior is
// filled with exactly TEXT_BACKGROUND and is large enough for the texts that land in it.
#pragma once

#include "tools/artgen/Canvas.h"
#include "tools/artgen/Rect.h"

// The one dark blue shared by both glyph sheets, the wells and every text box.
inline constexpr Rgb TEXT_BACKGROUND{12, 20, 64};

inline constexpr int SCREEN_WIDTH = 640;
inline constexpr int MENU_HEIGHT = 460;        // menu background, bitmap 102
inline constexpr int ONE_PLAYER_HEIGHT = 460;  // bitmap 118
inline constexpr int TWO_PLAYER_HEIGHT = 448;  // bitmap 128
inline constexpr int FRAME_WIDTH = 3;          // bevelled frame around every box, pixels

// clang-format off
// ---------------------------------------------------------------------------------------------------
// Menu background (640 x 460): main menu, options menu, key menus, high scores, about screen.
// ---------------------------------------------------------------------------------------------------
// List box. Menu rows: items at x 205 (main, options) or 185 (key menus), six rows from y 35 to 253
//   (40 apart, 18 high); the longest key-menu line ("> Rotate: Right mouse button", 28 cells) ends at
//   x 577. Scroll marks: up at (130, 215), down at (130, 235). High-score rows: names at x 210,
//   scores at x 390 (up to 11 cells, to x 544), y 40 to 238. About lines: x 260 to 340, y 50 to 228.
inline constexpr Rect MENU_LIST{120, 28, 592, 262};
// Description box: descX 150, descTop 280, 330 x 100; two lines of 22 cells at x 157 (options 167),
//   y 300 and 330.
inline constexpr Rect MENU_DESCRIPTION{150, 280, 480, 380};

// ---------------------------------------------------------------------------------------------------
// One-player background (640 x 460): well (140, 15), next box (50, 50), full panel (319, 90).
// ---------------------------------------------------------------------------------------------------
// Well: 5 x 13 jewels of 32 pixels; "GAME OVER" and "LEVEL" texts at y 230 inside it.
inline constexpr Rect ONE_WELL{140, 15, 300, 431};
// Next box: jewels at x 65..97, y 80..176; "Next" at (58, 192).
inline constexpr Rect ONE_NEXT{52, 72, 120, 216};
// Panel: name (326, 105), "Level:" (326, 140) and level at x 426, score (326, 170),
//   "High:" (326, 230) and the best score at x 426 (up to 10 digits, to x 566).
inline constexpr Rect ONE_PANEL{319, 95, 579, 258};

// ---------------------------------------------------------------------------------------------------
// Two-player background (640 x 448): wells (83, 16) and (399, 16), next boxes (4, 46) and (567, 46),
// short panels (251, 92) and (261, 262).
// ---------------------------------------------------------------------------------------------------
inline constexpr Rect TWO_WELL_LEFT{83, 16, 243, 432};
inline constexpr Rect TWO_WELL_RIGHT{399, 16, 559, 432};
// Next boxes: jewels at nextX + 15, y 76..172; "Next" at (nextX + 8, 188).
inline constexpr Rect TWO_NEXT_LEFT{6, 68, 74, 212};
inline constexpr Rect TWO_NEXT_RIGHT{569, 68, 637, 212};
// Panels between the wells: name at (panelX + 7, panelY + 15), score at (panelX + 7, panelY + 50);
//   nine to ten cells fit before the right well's frame.
inline constexpr Rect TWO_PANEL_LEFT{252, 97, 392, 170};
inline constexpr Rect TWO_PANEL_RIGHT{252, 267, 392, 340};
// clang-format on
