// The first screen and the one every other screen returns to: the two games, the options, the
// high-score table, the about screen and the exit.
#pragma once

#include "frontend/MenuScreen.h"

class MainMenu final : public MenuScreen {
  public:
    MainMenu();
};
