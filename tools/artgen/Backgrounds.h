// The three full-screen backgrounds: menus, one-player game and two-player game.
#pragma once

#include "tools/artgen/Canvas.h"

// 640 x 460: list box, description box, the game's name in large letters and jewel ornaments.
[[nodiscard]] Canvas paintMenuBackground();
// 640 x 460: well, next box and full panel, with the name and ornaments in the free space.
[[nodiscard]] Canvas paintOnePlayerBackground();
// 640 x 448: two wells, two next boxes and two short panels between the wells.
[[nodiscard]] Canvas paintTwoPlayerBackground();
