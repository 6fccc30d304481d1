// The first screen and the one every other screen returns to: the two games, the options, the
// high-score table, the about screen and the exit.
#pragma once

#include "screens/menus/MenuScreen.h"

class MainMenu final : public MenuScreen {
  public:
    MainMenu();
};

// The way back from every other screen: a new main menu replaces the current screen, which is
// deleted. Returns the handler's result: 0, or -1 when the menu could not be made.
int returnToMainMenu(HWND window, std::unique_ptr<Screen>& currentScreen);
