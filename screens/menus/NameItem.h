// The options menu's item that renames a player through the name-entry dialog.
#pragma once

#include "screens/menus/MenuItem.h"

enum class PlayerNumber { One, Two };

class NameItem final : public MenuItem {
  public:
    NameItem(const char* title, PlayerNumber player);

    // Runs the modal name entry on the player's name in the settings record, then repaints the menu.
    void activate(HWND window, std::unique_ptr<Screen>& currentScreen) override;

  private:
    PlayerNumber player;
};
