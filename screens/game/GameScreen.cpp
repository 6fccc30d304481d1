// Key routing, ticks and sounds of a game in the window.
#include "screens/game/GameScreen.h"

#include <new>

#include "audio/effects/SoundEffect.h"
#include "screens/menus/MainMenu.h"
#include "shell/ErrorTable.h"
#include "shell/ShellState.h"

GameScreen::GameScreen(HWND window, std::uint32_t seed, GameKind kind, std::span<const PlayerSeat> seats)
    : GameSession(seed) {
    if (!joinPlayers(kind, seats)) {
        reportError(window, ERR_OUT_OF_MEMORY);
    }
}

namespace {
inline constexpr LPARAM WAS_DOWN = LPARAM{1} << 30;  // set on the desktop's repeats
}  // namespace

int GameScreen::onKeyDown(HWND, WPARAM virtualKey, LPARAM keyData, std::unique_ptr<Screen>&) {
    if ((keyData & WAS_DOWN) != 0) {
        return 0;
    }
    const auto key = static_cast<std::int32_t>(virtualKey);
    routeKeyDown(key);
    if (repeats(key)) {
        heldKeys.press(key);
    }
    return 0;
}

int GameScreen::onKeyUp(HWND, WPARAM virtualKey, LPARAM, std::unique_ptr<Screen>&) {
    const auto key = static_cast<std::int32_t>(virtualKey);
    routeKeyUp(key);
    heldKeys.release(key);
    return 0;
}

int GameScreen::onTimer(HWND window, WPARAM, LPARAM, std::unique_ptr<Screen>&) {
    heldKeys.tick(FRAME_INTERVAL, [this](std::int32_t key) { routeKeyDown(key); });
    if (tickPlayers()) {
        invalidate(window, 1);
    }
    return 0;
}

void GameScreen::playSound(GameSound sound) {
    GameSession::playSound(sound);
    (sound == GameSound::Match ? SoundMatch : SoundLand).Play();
}

bool GameScreen::repeats(std::int32_t key) const {
    for (std::uint32_t i = 0; i < playerCount; ++i) {
        const KeyBindings& keys = players[i]->keys;
        if (keys[Action::Left] == key || keys[Action::Right] == key || keys[Action::Rotate] == key) {
            return true;
        }
    }
    return false;
}

int GameScreen::padKey(std::size_t pad, PadControl control) const {
    if (control == PadControl::Back) {
        return VK_ESCAPE;
    }
    if (isOver()) {
        return control == PadControl::A || control == PadControl::Start ? VK_RETURN : 0;
    }
    if (control == PadControl::Start) {
        return VK_PAUSE;
    }
    if (pad >= playerCount) {
        return 0;  // no player of this game holds that pad
    }
    const KeyBindings& keys = players[pad]->keys;
    switch (control) {
        case PadControl::Left:
            return keys[Action::Left];
        case PadControl::Right:
            return keys[Action::Right];
        case PadControl::Down:
            return keys[Action::Fast];
        case PadControl::A:
        case PadControl::Up:
            return keys[Action::Rotate];
        default:
            return 0;
    }
}

void GameScreen::onPadLost(HWND, std::size_t pad) {
    if (pad < playerCount) {
        paused = true;  // its player resumes with Pause, on the keyboard or on the pad again
    }
}

int GameScreen::returnToMenu(HWND window, std::unique_ptr<Screen>& currentScreen) {
    return returnToMainMenu(window, currentScreen);
}
