// The one-player game's player, picture and end.
#include "screens/game/OnePlayerGame.h"

#include "screens/game/SettingsSeats.h"
#include "screens/menus/HighScores.h"
#include "settings/Settings.h"
#include "shell/GlobalResources.h"

namespace {
inline constexpr std::array<PlayerLayout, 1> LAYOUTS{{{140, 15, 50, 50, 319, 90, true}}};
}  // namespace

OnePlayerGame::OnePlayerGame(HWND window, std::uint32_t seed)
    : GameScreen(window, seed, GameKind::OnePlayer, SettingsSeats(LAYOUTS).seats()) {}

int OnePlayerGame::onKeyDown(HWND window, WPARAM virtualKey, LPARAM keyData,
                             std::unique_ptr<Screen>& currentScreen) {
    if (virtualKey == VK_ESCAPE || (virtualKey == VK_RETURN && isOver())) {
        enterResult();
        return returnToMenu(window, currentScreen);  // this screen is gone now
    }
    return GameScreen::onKeyDown(window, virtualKey, keyData, currentScreen);
}

void OnePlayerGame::onEnd(HWND) {
    enterResult();  // as Escape would: a game cut short by the program's end still counts
}

void OnePlayerGame::enterResult() {
    if (playerCount > 0) {
        insertHighScore(players[0]->name.data(), players[0]->score);
    }
}

int OnePlayerGame::draw(HWND, WPARAM, LPARAM, HDC backBuffer, std::unique_ptr<Screen>&) {
    onePlayerBackground.drawWhole(backBuffer);
    if (playerCount > 0) {
        players[0]->render(backBuffer);
    }
    return 0;
}

bool OnePlayerGame::isOver() const {
    return playerCount > 0 && players[0]->gameOver;
}
