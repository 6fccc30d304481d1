// The one-player game's player, picture and end.
#include "game/screens/OnePlayerGame.h"

#include "frontend/HighScores.h"
#include "shell/GlobalResources.h"
#include "shell/Settings.h"

namespace {
inline constexpr GameScreen::Layout LAYOUT{140, 15, 50, 50, 319, 90, true};
}  // namespace

OnePlayerGame::OnePlayerGame(HWND window, std::uint32_t seed) : GameScreen(seed) {
    char name[NAME_FIELD_SIZE];
    copyName(settings.record.playerNames[0], name, sizeof name);
    (void)joinPlayer(window, true, 2, LAYOUT, name, player1Keys.data());
}

int OnePlayerGame::onKeyDown(HWND window, WPARAM virtualKey, LPARAM keyData,
                             std::unique_ptr<Screen>& currentScreen) {
    const bool over = playerCount > 0 && players[0]->gameOver;
    if (virtualKey == VK_ESCAPE || (virtualKey == VK_RETURN && over)) {
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
