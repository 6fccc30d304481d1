// The table of the ten best one-player results over the menu background; any key returns to the
// main menu.
#pragma once

#include "shell/Screen.h"

class HighScoreScreen final : public Screen {
  public:
    // left, top: the names column and the first row, pixels.
    HighScoreScreen(int left, int top);

    int onKeyDown(HWND window, WPARAM virtualKey, LPARAM keyData,
                  std::unique_ptr<Screen>& currentScreen) override;
    int draw(HWND window, WPARAM wParam, LPARAM lParam, HDC offscreen,
             std::unique_ptr<Screen>& currentScreen) override;

    int left;
    int top;
};
