// Key routing, ticks and sounds of a game in the window.
#include "screens/game/GameScreen.h"

#include <new>

#include "audio/effects/SoundEffect.h"
#include "screens/menus/MainMenu.h"
#include "shell/ErrorTable.h"

GameScreen::GameScreen(HWND window, std::uint32_t seed, GameKind kind, std::span<const PlayerSeat> seats)
    : GameSession(seed) {
    if (!joinPlayers(kind, seats)) {
        reportError(window, ERR_OUT_OF_MEMORY);
    }
}

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

int GameScreen::returnToMenu(HWND window, std::unique_ptr<Screen>& currentScreen) {
    return returnToMainMenu(window, currentScreen);
}
