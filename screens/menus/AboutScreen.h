// The program's name and its credits over the menu background; any key returns to the main menu.
#pragma once

#include "screens/menus/PageScreen.h"

class AboutScreen final : public PageScreen {
  public:
    // Made with left, top: the reference point of the text block, pixels.
    using PageScreen::PageScreen;

    int draw(HWND window, WPARAM wParam, LPARAM lParam, HDC offscreen,
             std::unique_ptr<Screen>& currentScreen) override;
};
