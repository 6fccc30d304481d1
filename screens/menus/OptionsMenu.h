// The options: each player's keys and name, and the music and sound switches.
#pragma once

#include "screens/menus/MenuScreen.h"

class OptionsMenu final : public MenuScreen {
  public:
    OptionsMenu();

    // Shows the names in force in the name items' descriptions, then draws the menu.
    int draw(HWND window, WPARAM wParam, LPARAM lParam, HDC offscreen,
             std::unique_ptr<Screen>& currentScreen) override;

  private:
    void showNames();
};
