// The one-player game: one well whose levels rise, a full panel with level and high score, and a
// result that enters the high-score table when the game ends.
#pragma once

#include "screens/game/GameScreen.h"

class OnePlayerGame final : public GameScreen {
  public:
    // The player, named and keyed as player 1 of the settings. `seed` 0 takes the calendar time.
    explicit OnePlayerGame(HWND window, std::uint32_t seed = 0);

    // Escape, or Enter once the game is over, enters the score and returns to the menu.
    int onKeyDown(HWND window, WPARAM virtualKey, LPARAM keyData,
                  std::unique_ptr<Screen>& currentScreen) override;
    int draw(HWND window, WPARAM wParam, LPARAM lParam, HDC backBuffer,
             std::unique_ptr<Screen>& currentScreen) override;
    [[nodiscard]] bool isOver() const override;
    // The program ends during the game: the score enters the table as on Escape.
    void onEnd(HWND window) override;

  private:
    void enterResult();
};
