// Key routing, ticks and sounds of a game in the window.
#include "screens/game/GameScreen.h"

#include <new>

#include "audio/effects/SoundEffect.h"
#include "screens/menus/MainMenu.h"
#include "shell/ErrorTable.h"

GameScreen::GameScreen(std::uint32_t seed) : GameSession(seed) {}

int GameScreen::onKeyDown(HWND, WPARAM virtualKey, LPARAM, std::unique_ptr<Screen>&) {
    routeKeyDown(static_cast<std::int32_t>(virtualKey));
    return 0;
}

int GameScreen::onKeyUp(HWND, WPARAM virtualKey, LPARAM, std::unique_ptr<Screen>&) {
    routeKeyUp(static_cast<std::int32_t>(virtualKey));
    return 0;
}

int GameScreen::onTimer(HWND window, WPARAM, LPARAM, std::unique_ptr<Screen>&) {
    if (tickPlayers()) {
        invalidate(window, 1);
    }
    return 0;
}

void GameScreen::playSound(GameSound sound) {
    GameSession::playSound(sound);
    (sound == GameSound::Match ? SoundMatch : SoundLand).Play();
}

bool GameScreen::joinPlayer(HWND window, bool levelProgression, std::uint32_t maxRowsToSend,
                            const Layout& layout, const char* name, const int* keys) {
    std::unique_ptr<Player> player(
        new (std::nothrow) Player(*this, WELL_WIDTH, WELL_HEIGHT, levelProgression, maxRowsToSend));
    if (!player) {
        reportError(window, ERR_OUT_OF_MEMORY);
        return false;
    }
    player->wellX = layout.wellX;
    player->wellY = layout.wellY;
    player->nextX = layout.nextX;
    player->nextY = layout.nextY;
    player->panelX = layout.panelX;
    player->panelY = layout.panelY;
    player->fullPanel = layout.fullPanel;
    player->active = true;
    player->setName(name);
    for (std::uint32_t action = 0; action < ACTION_COUNT; ++action) {
        player->keys[action] = keys[action];
    }
    addPlayer(std::move(player));
    return true;
}

int GameScreen::returnToMenu(HWND window, std::unique_ptr<Screen>& currentScreen) {
    return returnToMainMenu(window, currentScreen);
}
