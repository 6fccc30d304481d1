// The two-player game's players, picture and end.
#include "screens/game/TwoPlayerGame.h"

#include "screens/game/SettingsSeats.h"
#include "settings/Settings.h"
#include "shell/GlobalResources.h"

namespace {
// Player 1's well on the left, player 2's on the right.
inline constexpr std::array<PlayerLayout, 2> LAYOUTS{{
    {83, 16, 4, 46, 251, 92, false},
    {399, 16, 567, 46, 261, 262, false},
}};
}  // namespace

TwoPlayerGame::TwoPlayerGame(HWND window, std::uint32_t seed)
    : GameScreen(window, seed, GameKind::TwoPlayer, SettingsSeats(LAYOUTS).seats()) {}

int TwoPlayerGame::onKeyDown(HWND window, WPARAM virtualKey, LPARAM keyData,
                             std::unique_ptr<Screen>& currentScreen) {
    if (virtualKey == VK_ESCAPE || (virtualKey == VK_RETURN && isOver())) {
        return returnToMenu(window, currentScreen);  // this screen is gone now
    }
    return GameScreen::onKeyDown(window, virtualKey, keyData, currentScreen);
}

int TwoPlayerGame::draw(HWND, WPARAM, LPARAM, HDC backBuffer, std::unique_ptr<Screen>&) {
    twoPlayerBackground.drawWhole(backBuffer);
    for (std::uint32_t i = 0; i < playerCount; ++i) {
        players[i]->render(backBuffer);
    }
    return 0;
}

bool TwoPlayerGame::isOver() const {
    for (std::uint32_t i = 0; i < playerCount; ++i) {
        if (!players[i]->gameOver) {
            return false;
        }
    }
    return true;
}
