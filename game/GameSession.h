// The windowless part of a game screen: the players of one game, the random pool their columns come
// from, the pause, the routing of keys to players and the frame tick with the hand-over of penalty rows.
// The game screen derives from the shell's Screen and from this class, adding only the window, the
// drawing and the end of a game; the replay tool and the tests run this same code without a window.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "game/Player.h"
#include "platform/Platform.h"

inline constexpr std::uint32_t MAX_PLAYERS = 6;
inline constexpr std::uint32_t RANDOM_POOL_SIZE = 8192;

// The sounds the rules ask for. The game screens connect them to the sound effects.
enum class GameSound {
    Match,  // a scan found runs, or a level display starts
    Land,   // a falling column was fixed into the well
};
inline constexpr std::size_t GAME_SOUND_COUNT = 2;

enum class GameKind {
    OnePlayer,  // levels rise; a cascade sends at most 2 rows, which have nowhere to go
    TwoPlayer,  // both play at the first level; a cascade sends at most 3 rows to the other
};

// What a new game takes of each of its players: the name shown, the keys and where it is drawn.
struct PlayerSeat {
    const char* name = "Norvo";  // copied into the player, cut to 255 characters
    KeyBindings keys = NEW_PLAYER_KEYS;
    PlayerLayout layout;
};

class GameSession {
  public:
    // Fills the random pool from the seed; 0 takes the calendar time in seconds. No players yet.
    explicit GameSession(std::uint32_t seed);
    virtual ~GameSession() = default;
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // Seeds the shared generator (0: the calendar time) and stores its next RANDOM_POOL_SIZE values.
    // Rows pushed into wells later continue from the same generator.
    void fillRandomPool(std::uint32_t seed);

    // Takes the player if there is room for it; otherwise it is dropped.
    void addPlayer(std::unique_ptr<Player> player);

    // Makes and adds the players of a new game of this kind (one or two), each with an empty well
    // of the default size and the name, keys and layout of its seat (a missing seat: the defaults of
    // PlayerSeat). The one way every game is set up: by the game screens, the tests and the replay.
    // False if a player could not be allocated (none further is made).
    [[nodiscard]] bool joinPlayers(GameKind kind, std::span<const PlayerSeat> seats);

    // A key-down: Pause toggles the pause; while paused every other key but Escape is ignored;
    // otherwise each active player with the key bound gets the press of its action.
    void routeKeyDown(std::int32_t virtualKey);
    // A key-up reaches each active player's release count, also while paused.
    void routeKeyUp(std::int32_t virtualKey);

    // One frame tick: unless paused, every player's tick in order, then each cascade's rows are
    // added to every other player's pending rows. True if any player asked for a repaint.
    [[nodiscard]] bool tickPlayers();

    // A player's event asks for a sound. Counts the request, so tests and tools see which sounds
    // each event asked for; the game screens also play the effect.
    virtual void playSound(GameSound sound);
    [[nodiscard]] std::uint32_t soundRequests(GameSound sound) const {
        return soundCounts[static_cast<std::size_t>(sound)];
    }

    // The pool value at a position (wrapped into the pool).
    [[nodiscard]] std::int32_t poolValue(std::uint32_t position) const {
        return randomPool[position % RANDOM_POOL_SIZE];
    }

    bool paused = false;
    std::array<std::unique_ptr<Player>, MAX_PLAYERS> players;  // in order of joining
    std::uint32_t playerCount = 0;
    std::array<std::int32_t, RANDOM_POOL_SIZE> randomPool{};  // each 0..32767

  private:
    void handOverRows();

    std::array<std::uint32_t, GAME_SOUND_COUNT> soundCounts{};
};
