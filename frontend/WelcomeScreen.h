// The first screen until the main menu exists: the menu background with the game's caption and a
// line in each bitmap font. Escape ends the program, as the main menu's exit item will.
#pragma once

#include "shell/Screen.h"

class WelcomeScreen final : public Screen {
  public:
    int onKeyDown(HWND window, WPARAM virtualKey, LPARAM keyData,
                  std::unique_ptr<Screen>& currentScreen) override;
    int draw(HWND window, WPARAM wParam, LPARAM lParam, HDC offscreen,
             std::unique_ptr<Screen>& currentScreen) override;
};
