// One player's game: the well, the falling column, the phases that clear, collapse and push rows,
// the keys, the score and the level, and the screen layout the drawing reads. Runs without a window.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "game/KeyBindings.h"
#include "game/LevelTable.h"
#include "game/Triple.h"
#include "game/WellConstants.h"
#include "platform/Platform.h"

class GameSession;

// What a player holds before its game hands it the keys of its seat: the Left, Right and Down
// arrows and the X key.
inline constexpr KeyBindings NEW_PLAYER_KEYS{{{{VK_LEFT, VK_RIGHT, VK_DOWN, 'X'}}}};
inline constexpr std::uint32_t PLAYER_NAME_SIZE = 256;  // 255 characters and the terminator

// Where a player's well, next box and panel lie in the back buffer, pixels; what the drawing reads.
struct PlayerLayout {
    std::int32_t wellX = 0;
    std::int32_t wellY = 0;
    std::int32_t nextX = 0;
    std::int32_t nextY = 0;
    std::int32_t panelX = 0;
    std::int32_t panelY = 0;
    bool fullPanel = true;  // name, level, score and best score; else name and score
};

// The record is plain data on purpose: the drawing and the game screens read its fields directly.
// Every operation runs on the window's thread.
class Player {
  public:
    // Makes a player of the session's game with a width x height well (0 means the default) and both
    // columns taken from the session's random pool. levelProgression: levels rise with cleared jewels;
    // maxRowsToSend: cap on the rows one cascade sends to the other players.
    Player(GameSession& screen, std::uint32_t width, std::uint32_t height, bool levelProgression,
           std::uint32_t maxRowsToSend);
    virtual ~Player() = default;
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // The well: an empty width x height array (0 selects WELL_WIDTH / WELL_HEIGHT), then two spawns so
    // that current and next both come from the pool; the fall credit starts again.
    void resetWell(std::uint32_t newWidth, std::uint32_t newHeight);
    void clearWell();  // every cell EMPTY_CELL

    // Matching and its phases (PlayerMatching.cpp).
    void scanMatches();  // marks every straight run of 3 or more over the whole well, scores, clears
    void clearingTick();
    void collapseTick();
    [[nodiscard]] bool markFloating();  // marks jewels above gaps; true if any
    void settleFalling();               // rests falling jewels that reached a jewel or the floor

    // Rows pushed in from below (PlayerRising.cpp).
    void startRise();
    void riseTick();

    // Scoring and levels (PlayerScoring.cpp).
    void applyMatchScore(std::uint32_t markedJewels, std::uint32_t chain);
    void startLevelShow();
    void levelShowTick();
    // True when the level reached is the last one, which the level display names "FREE RUN".
    [[nodiscard]] bool isFreeRun() const { return level == LEVEL_COUNT - 1; }

    // The falling column and the tick (Player.cpp).
    void spawnColumn();
    [[nodiscard]] bool canMoveTo(std::uint32_t x) const;
    [[nodiscard]] bool hasLanded() const;
    void lockColumn();
    [[nodiscard]] std::optional<Action> actionForKey(std::int32_t virtualKey) const {
        return keys.actionFor(virtualKey);
    }
    void keyPressed(Action action) { pressCount[action] += 1; }
    void keyReleased(Action action) { releaseCount[action] -= 1; }
    [[nodiscard]] bool tick();       // one frame tick; true asks for a repaint
    void setName(const char* text);  // copies at most 255 characters and terminates

    // Draws the well, the next column and the panel into the back buffer at this player's layout.
    // Reads the record and changes nothing. Defined with the game screens, which own the bitmaps
    // (screens/game/PlayerRender.cpp): the rules themselves never draw.
    void render(HDC backBuffer) const;

    [[nodiscard]] std::uint8_t cellAt(std::uint32_t x, std::uint32_t y) const { return cells[y * width + x]; }

    GameSession& screen;  // owner of the random pool every column is made from; not owned
    bool levelProgression;
    std::uint32_t maxRowsToSend;

    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t cellCount = 0;
    std::vector<std::uint8_t> cells;  // row-major, row 0 at the top

    std::uint32_t chainLength = 0;  // scans with a result in this cascade; the score multiplier
    bool clearing = false;
    std::uint32_t clearFrame = 0;  // 0..5, also the vanishing animation frame
    bool collapsing = false;
    std::uint32_t collapseOffset = 0;  // pixels the falling jewels have descended
    bool rising = false;
    std::uint32_t riseOffset = 0;   // pixels the well is still drawn shifted down, 32..0
    std::uint32_t rowsToSend = 0;   // rows the last cascade sends to the others
    std::uint32_t rowsPending = 0;  // rows received, pushed in at the next landing
    bool gameOver = false;

    std::uint32_t columnX = 0;       // well column of the falling column
    std::uint32_t columnBottom = 0;  // pixels from the well's top edge to the column's lower edge
    Triple current = makeTriple(0);
    Triple next = makeTriple(0);
    std::uint32_t randomCursor = 0;  // read position in the random pool, 0..RANDOM_POOL_SIZE-1

    KeyBindings keys = NEW_PLAYER_KEYS;
    PerAction<std::uint32_t> pressCount;   // key-downs not yet consumed
    PerAction<std::int32_t> releaseCount;  // decremented per key-up; only Fast's is read
    bool active = true;

    std::uint32_t fallPeriod = levelTable[0].period;  // ticks per fall step
    std::uint32_t fallStep = levelTable[0].step;      // pixels per fall step
    std::uint32_t fallAccumulator = 0;                // tick credit of the fall

    std::uint32_t score = 0;
    std::uint32_t level = 0;  // 0-based, 0..LEVEL_COUNT-1
    std::uint32_t jewelsTowardLevel = 0;
    bool levelUpPending = false;  // a rise happened in this cascade; the display follows its end
    bool levelShow = false;
    std::uint32_t levelShowTicks = 0;

    std::array<char, PLAYER_NAME_SIZE> name{'N', 'o', 'r', 'v', 'o', '\0'};
    PlayerLayout layout;

  private:
    void endCascade();
    [[nodiscard]] bool applyQueuedMoves();  // Left, Right, then Rotate presses; true if any acted
    [[nodiscard]] bool fall();              // true if the column moved
    [[nodiscard]] std::uint32_t runLength(std::uint32_t x, std::uint32_t y, int dx, int dy) const;
    [[nodiscard]] std::uint8_t drawRisingJewel(std::uint32_t column);
};
