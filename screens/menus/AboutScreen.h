// The program's name and its credits over the menu background; any key returns to the main menu.
#pragma once

#include "shell/Screen.h"

class AboutScreen final : public Screen {
  public:
    // left, top: the reference point of the text block, pixels.
    AboutScreen(int left, int top);

    int onKeyDown(HWND window, WPARAM virtualKey, LPARAM keyData,
                  std::unique_ptr<Screen>& currentScreen) override;
    int draw(HWND window, WPARAM wParam, LPARAM lParam, HDC offscreen,
             std::unique_ptr<Screen>& currentScreen) override;

    int left;
    int top;
};
