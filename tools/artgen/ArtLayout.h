// Where the backgrounds carry their dark-blue boxes, and which screen draws into each one.
// Rectangles are box interiors (left, top inclusive; right, bottom exclusive); each box's gold frame
// lies in the FRAME_WIDTH pixels just outside. Text is drawn as opaque dark-blue glyph cells (14 x 18),
// so every interior is filled with exactly TEXT_BACKGROUND and holds all the text drawn into it.
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
inline constexpr Rect MENU_LIST        {120,  28, 592, 262};
inline constexpr Rect MENU_DESCRIPTION {150, 280, 480, 380};
inline constexpr Rect ONE_WELL         {140,  15, 300, 431};
inline constexpr Rect ONE_NEXT         { 52,  72, 120, 216};
inline constexpr Rect ONE_PANEL        {319,  95, 579, 258};
inline constexpr Rect TWO_WELL_LEFT    { 83,  16, 243, 432};
inline constexpr Rect TWO_WELL_RIGHT   {399,  16, 559, 432};
inline constexpr Rect TWO_NEXT_LEFT    {  6,  68,  74, 212};
inline constexpr Rect TWO_NEXT_RIGHT   {569,  68, 637, 212};
inline constexpr Rect TWO_PANEL_LEFT   {252,  97, 392, 170};
inline constexpr Rect TWO_PANEL_RIGHT  {252, 267, 392, 340};

enum class Backdrop { Menu, OnePlayer, TwoPlayer };

struct BoxPlacement {
    Backdrop backdrop{};
    Rect interior;
    const char* usedBy{};  // the screen and what it draws there (x, y of the drawn texts and jewels)
};

inline constexpr BoxPlacement BOXES[] = {
    // Menu background (640 x 460): every menu, the high-score table and the about screen.
    {Backdrop::Menu, MENU_LIST,
     "menus: item lines at x 205 (main, options) or 185 (key menus), rows 40 apart from y 35 to 253, "
     "longest key-menu line 28 cells to x 577; scroll marks at (130, 215) and (130, 235); "
     "high scores: names at x 210, scores at x 390 (up to 11 cells, to x 544), rows 20 apart from y 40 "
     "to 238; about: name at (260, 50), credit lines from x 265 to 340, y 90 to 228"},
    {Backdrop::Menu, MENU_DESCRIPTION,
     "menus: description box at (150, 280), 330 x 100; two lines of 22 cells at x 157 (options 167), "
     "y 300 and 330"},
    // One-player background (640 x 460): well (140, 15), next (50, 50), full panel (319, 90).
    {Backdrop::OnePlayer, ONE_WELL,
     "one-player game: 5 x 13 jewels of 32 pixels; GAME OVER, LEVEL n and FREE RUN at y 230"},
    {Backdrop::OnePlayer, ONE_NEXT,
     "one-player game: next column at x 65, y 80 to 176; \"Next\" at (58, 192)"},
    {Backdrop::OnePlayer, ONE_PANEL,
     "one-player game: name (326, 105); \"Level:\" (326, 140), level at x 426; score (326, 170); "
     "\"High:\" (326, 230), best score at x 426, up to 10 digits"},
    // Two-player background (640 x 448): wells (83, 16) and (399, 16), next (4, 46) and (567, 46),
    // short panels (251, 92) and (261, 262).
    {Backdrop::TwoPlayer, TWO_WELL_LEFT, "two-player game: player 1's well"},
    {Backdrop::TwoPlayer, TWO_WELL_RIGHT, "two-player game: player 2's well"},
    {Backdrop::TwoPlayer, TWO_NEXT_LEFT,
     "two-player game: player 1's next column at x 19, y 76 to 172; \"Next\" at (12, 188)"},
    {Backdrop::TwoPlayer, TWO_NEXT_RIGHT,
     "two-player game: player 2's next column at x 582, y 76 to 172; \"Next\" at (575, 188)"},
    {Backdrop::TwoPlayer, TWO_PANEL_LEFT,
     "two-player game: player 1's name (258, 107) and score (258, 142); 9 cells fit"},
    {Backdrop::TwoPlayer, TWO_PANEL_RIGHT,
     "two-player game: player 2's name (268, 277) and score (268, 312); 8 cells fit"},
};
// clang-format on
