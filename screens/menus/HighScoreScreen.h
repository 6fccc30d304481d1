// The table of the ten best one-player results over the menu background; any key returns to the
// main menu.
#pragma once

#include "screens/menus/PageScreen.h"

class HighScoreScreen final : public PageScreen {
  public:
    // Made with left, top: the names column and the first row, pixels.
    using PageScreen::PageScreen;

    int draw(HWND window, WPARAM wParam, LPARAM lParam, HDC offscreen,
             std::unique_ptr<Screen>& currentScreen) override;
};
