// The two-player game's players, picture and end.
#include "screens/game/TwoPlayerGame.h"

#include "settings/Settings.h"
#include "shell/GlobalResources.h"

namespace {
inline constexpr GameScreen::Layout LEFT{83, 16, 4, 46, 251, 92, false};
inline constexpr GameScreen::Layout RIGHT{399, 16, 567, 46, 261, 262, false};
}  // namespace

TwoPlayerGame::TwoPlayerGame(HWND window, std::uint32_t seed) : GameScreen(seed) {
    char name[NAME_FIELD_SIZE];
    copyName(settings.record.playerNames[0], name, sizeof name);
    if (!joinPlayer(window, false, 3, LEFT, name, player1Keys.data())) {
        return;  // reported; no further player is made
    }
    copyName(settings.record.playerNames[1], name, sizeof name);
    (void)joinPlayer(window, false, 3, RIGHT, name, player2Keys.data());
}

int TwoPlayerGame::onKeyDown(HWND window, WPARAM virtualKey, LPARAM keyData,
                             std::unique_ptr<Screen>& currentScreen) {
    bool allOver = true;
    for (std::uint32_t i = 0; i < playerCount; ++i) {
        allOver = allOver && players[i]->gameOver;
    }
    if (virtualKey == VK_ESCAPE || (virtualKey == VK_RETURN && allOver)) {
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
