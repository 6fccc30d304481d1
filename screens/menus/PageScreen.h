// A page over the menu background, such as the about screen and the high scores, drawn from a
// reference point; any key returns to the main menu.
#pragma once

#include "shell/Screen.h"

class PageScreen : public Screen {
  public:
    // left, top: the page's reference point, pixels.
    PageScreen(int pageLeft, int pageTop) : left(pageLeft), top(pageTop) {}

    int onKeyDown(HWND window, WPARAM virtualKey, LPARAM keyData,
                  std::unique_ptr<Screen>& currentScreen) override;

    int left;
    int top;
};
