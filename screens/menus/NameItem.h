// The options menu's item that renames a player through the name-entry dialog.
#pragma once

#include "screens/menus/MenuItem.h"

class NameItem final : public MenuItem {
  public:
    // player: 1 or 2.
    NameItem(const char* title, int player);

    // Runs the modal name entry on the player's name in the settings record, then repaints the menu.
    void activate(HWND window, std::unique_ptr<Screen>& currentScreen) override;

  private:
    int player;
};
