// The first screen until the main menu exists: the menu background with the two games to choose
// from. Up and Down choose, Enter starts the chosen game, Escape ends the program, as the main
// menu's exit item will. Every game returns to a new one.
#pragma once

#include "shell/Screen.h"

class WelcomeScreen final : public Screen {
  public:
    int onKeyDown(HWND window, WPARAM virtualKey, LPARAM keyData,
                  std::unique_ptr<Screen>& currentScreen) override;
    int draw(HWND window, WPARAM wParam, LPARAM lParam, HDC offscreen,
             std::unique_ptr<Screen>& currentScreen) override;

  private:
    int chosen = 0;  // 0: one player, 1: two players
};
