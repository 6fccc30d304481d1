// A long randomised run of both game kinds through the session, checking the well's invariants after
// every tick: packed outside a collapse, marks only while clearing or collapsing, one phase at most,
// a score that never falls and a level within the table.
#include <algorithm>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "tests/game/WellText.h"

namespace {
inline constexpr int SOAK_TICKS = 200000;

// Empty string if the player's state is sound, else what is wrong.
std::string invariantFault(const Player& player, std::uint32_t previousScore) {
    if (static_cast<int>(player.clearing) + static_cast<int>(player.collapsing) +
            static_cast<int>(player.rising) >
        1) {
        return "more than one phase active";
    }
    if (player.score < previousScore) {
        return "score fell";
    }
    if (player.level >= LEVEL_COUNT) {
        return "level out of range";
    }
    for (std::uint32_t x = 0; x < player.width; ++x) {
        bool gapAbove = false;
        for (std::uint32_t row = 0; row < player.height; ++row) {
            const std::uint8_t cell = player.cellAt(x, row);
            if (cell == EMPTY_CELL) {
                if (gapAbove && !player.collapsing) {
                    return "gap under a jewel outside a collapse";
                }
                continue;
            }
            gapAbove = true;
            const std::uint8_t colour = cell & ~MARK_BIT;
            if (colour < FIRST_JEWEL || colour >= FIRST_JEWEL + COLOUR_COUNT) {
                return "cell holds no jewel code";
            }
            if ((cell & MARK_BIT) != 0 && !player.clearing && !player.collapsing) {
                return "mark outside clearing and collapse";
            }
        }
    }
    return {};
}

std::uint32_t pick(std::mt19937& random, std::uint32_t count) {
    return static_cast<std::uint32_t>(random() % count);
}

// Height of the stack in well column x, in cells.
std::uint32_t stackHeight(const Player& player, std::uint32_t x) {
    std::uint32_t row = 0;
    while (row < player.height && player.cellAt(x, row) == EMPTY_CELL) {
        ++row;
    }
    return player.height - row;
}

// Picks where the current column goes: the place and rotation whose landing clears the most jewels,
// found by trying each on a scratch player with the game's own scan; else the lowest stack.
struct Plan {
    std::uint32_t x = 0;
    std::uint32_t rotations = 0;
};

Plan choosePlan(const Player& player, Player& scratch, std::mt19937& random) {
    Plan best{pick(random, player.width), pick(random, 3)};
    std::uint32_t bestCleared = 0;
    std::uint32_t lowest = player.height + 1;
    for (std::uint32_t x = 0; x < player.width; ++x) {
        const std::uint32_t height = stackHeight(player, x);
        if (height + 3 > player.height) {
            continue;
        }
        Triple column = player.current;
        for (std::uint32_t rotations = 0; rotations < 3; ++rotations, column = rotateTriple(column)) {
            scratch.cells = player.cells;
            scratch.jewelsTowardLevel = 0;
            scratch.clearing = false;
            for (std::uint32_t position = 0; position < 3; ++position) {
                scratch.cells[(player.height - height - 1 - position) * player.width + x] =
                    tripleJewel(column, position);
            }
            scratch.scanMatches();
            const std::uint32_t cleared = scratch.jewelsTowardLevel;
            if (cleared > bestCleared || (bestCleared == 0 && cleared == 0 && height < lowest)) {
                best = {x, rotations};
                bestCleared = cleared;
                lowest = height;
            }
        }
    }
    if (pick(random, 32) == 0) {
        best = {pick(random, player.width), pick(random, 3)};  // a careless move now and then
    }
    return best;
}

// Steers one player toward its plan with key presses: moves and rotations first, then Fast, with
// Fast released now and then.
struct Bot {
    Plan plan;
    std::uint32_t cursor = ~0u;

    void press(Player& player, Player& scratch, std::mt19937& random) {
        if (player.randomCursor != cursor) {
            cursor = player.randomCursor;
            plan = choosePlan(player, scratch, random);
        }
        if (random() % 3 != 0) {
            return;  // not every tick has a key
        }
        if (plan.rotations > 0) {
            player.keyPressed(Action::Rotate);
            --plan.rotations;
        } else if (player.columnX > plan.x) {
            player.keyPressed(Action::Left);
        } else if (player.columnX < plan.x) {
            player.keyPressed(Action::Right);
        } else if (random() % 16 == 0) {
            player.keyReleased(Action::Fast);
        } else {
            player.keyPressed(Action::Fast);
        }
    }
};

// Plays SOAK_TICKS ticks of one kind of game; finished games are replaced by new ones.
void soak(GameKind kind, std::uint32_t seed) {
    std::mt19937 random(seed);
    GameSession scratchSession(seed);
    Player scratch(scratchSession, 0, 0, true, 2);
    std::uint32_t gameSeed = seed;
    auto session = std::make_unique<GameSession>(gameSeed);
    ASSERT_TRUE(session->joinPlayers(kind, {}));
    Bot bots[MAX_PLAYERS];
    std::uint32_t scores[MAX_PLAYERS] = {};
    std::uint32_t maxLevel = 0;
    std::uint32_t maxPending = 0;
    std::uint32_t games = 1;
    for (int tick = 0; tick < SOAK_TICKS; ++tick) {
        for (std::uint32_t p = 0; p < session->playerCount; ++p) {
            bots[p].press(*session->players[p], scratch, random);
        }
        static_cast<void>(session->tickPlayers());
        bool allOver = true;
        for (std::uint32_t p = 0; p < session->playerCount; ++p) {
            const Player& player = *session->players[p];
            const std::string fault = invariantFault(player, scores[p]);
            ASSERT_TRUE(fault.empty())
                << fault << " at tick " << tick << " player " << p + 1 << ": " << wellText(player);
            scores[p] = player.score;
            maxLevel = std::max(maxLevel, player.level);
            maxPending = std::max(maxPending, player.rowsPending);
            allOver = allOver && player.gameOver;
        }
        if (allOver) {
            session = std::make_unique<GameSession>(++gameSeed);
            ASSERT_TRUE(session->joinPlayers(kind, {}));
            std::fill(std::begin(scores), std::end(scores), 0u);
            std::fill(std::begin(bots), std::end(bots), Bot{});
            ++games;
        }
    }
    ::testing::Test::RecordProperty("games", static_cast<int>(games));
    ::testing::Test::RecordProperty("maxLevel", static_cast<int>(maxLevel));
    ::testing::Test::RecordProperty("maxPending", static_cast<int>(maxPending));
    if (kind == GameKind::OnePlayer) {
        EXPECT_GT(maxLevel, 0u);  // the run reached the levels it is meant to check
    } else {
        EXPECT_GT(maxPending, 0u);
    }
}
}  // namespace

TEST(Soak, OnePlayerGamesKeepTheirInvariants) {
    soak(GameKind::OnePlayer, 2024);
}

TEST(Soak, TwoPlayerGamesKeepTheirInvariants) {
    soak(GameKind::TwoPlayer, 4048);
}
