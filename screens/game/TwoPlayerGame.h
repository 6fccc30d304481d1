// The two-player game: two wells side by side fed by one column sequence, short panels, and rows
// pushed into the other well by every chain. No level rises and no result is entered.
#pragma once

#include "screens/game/GameScreen.h"

class TwoPlayerGame final : public GameScreen {
  public:
    // Player 1 on the left, player 2 on the right, named and keyed from the settings. `seed` 0 takes
    // the calendar time.
    explicit TwoPlayerGame(HWND window, std::uint32_t seed = 0);

    // Escape, or Enter once both games are over, returns to the menu.
    int onKeyDown(HWND window, WPARAM virtualKey, LPARAM keyData,
                  std::unique_ptr<Screen>& currentScreen) override;
    int draw(HWND window, WPARAM wParam, LPARAM lParam, HDC backBuffer,
             std::unique_ptr<Screen>& currentScreen) override;
    [[nodiscard]] bool isOver() const override;
};
