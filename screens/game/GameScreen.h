// A game as a screen: the windowless session (players, random pool, pause, key routing, frame tick,
// penalty rows) in the window, with the players' sounds played as effects and one repaint at most
// per tick. The one- and two-player games add their players, their drawing and their end.
#pragma once

#include "game/GameSession.h"
#include "screens/game/HeldKeys.h"
#include "shell/Screen.h"

class GameScreen : public Screen, public GameSession {
  public:
    // A new pool from `seed` (0: the calendar time) and the kind's players from their seats. When a
    // player cannot be allocated, "out of memory" is reported to the window.
    GameScreen(HWND window, std::uint32_t seed, GameKind kind, std::span<const PlayerSeat> seats);

    // Pause, and the key to every active player that binds it. The desktop's repeats are ignored:
    // the screen repeats held keys itself (HeldKeys).
    int onKeyDown(HWND window, WPARAM virtualKey, LPARAM keyData,
                  std::unique_ptr<Screen>& currentScreen) override;
    // Key-ups reach the players also while paused, so a release is never lost.
    int onKeyUp(HWND window, WPARAM virtualKey, LPARAM keyData,
                std::unique_ptr<Screen>& currentScreen) override;
    // The repeats of held keys now due, every player's tick, a repaint from a cleared buffer if any
    // asked for one, then the penalty rows.
    int onTimer(HWND window, WPARAM timerId, LPARAM lParam, std::unique_ptr<Screen>& currentScreen) override;
    // Pad 1 plays as player 1's keys and pad 2 as player 2's: left and right are Left and Right, down
    // is Fast, A and up are Rotate. Start is Pause and Back is Escape on any pad; once the game is
    // over, A and Start are Enter.
    [[nodiscard]] int padKey(std::size_t pad, PadControl control) const override;
    // A player's pad pulled out pauses the game, as the Pause key does.
    void onPadLost(HWND window, std::size_t pad) override;

    // Whether the game has ended, so that Enter leaves it.
    [[nodiscard]] virtual bool isOver() const = 0;

    // Both players share the two effects, so a new one cuts off the one playing.
    void playSound(GameSound sound) override;

  protected:
    // Ends the game: a new main menu replaces this one, which is deleted.
    static int returnToMenu(HWND window, std::unique_ptr<Screen>& currentScreen);

  private:
    // Whether a held key repeats: it moves or rotates some player's column.
    [[nodiscard]] bool repeats(std::int32_t key) const;

    HeldKeys heldKeys;
};
