// Rows pushed in from below: what a generated row may hold, how long pushing takes and what pushing a
// jewel out of the top does.
#include <gtest/gtest.h>

#include "game/SharedRandom.h"
#include "tests/game/WellText.h"

namespace {
struct Rising : ::testing::Test {
    GameSession session{1};
    Player& player = joinedPlayer(session, GameKind::TwoPlayer);

    void ticks(int count) {
        for (int i = 0; i < count; ++i) {
            static_cast<void>(player.tick());
        }
    }
};

// Whether the bottom row holds three equal cells in a row, or a bottom cell starts a vertical or
// diagonal line of three with the two rows above it.
bool bottomRowCompletesALine(const Player& player) {
    const std::uint32_t bottom = player.height - 1;
    const auto at = [&](int x, std::uint32_t y) {
        return x < 0 || x >= static_cast<int>(player.width) ? EMPTY_CELL
                                                            : player.cellAt(static_cast<std::uint32_t>(x), y);
    };
    for (int x = 0; x < static_cast<int>(player.width); ++x) {
        const std::uint8_t v = at(x, bottom);
        if ((at(x + 1, bottom) == v && at(x + 2, bottom) == v) ||
            (at(x, bottom - 1) == v && at(x, bottom - 2) == v) ||
            (at(x + 1, bottom - 1) == v && at(x + 2, bottom - 2) == v) ||
            (at(x - 1, bottom - 1) == v && at(x - 2, bottom - 2) == v)) {
            return true;
        }
    }
    return false;
}

// Fills the two rows above the bottom with random jewels and the rest of the well with nothing.
void randomStack(Player& player, std::uint32_t rows) {
    player.clearWell();
    for (std::uint32_t row = player.height - rows; row < player.height; ++row) {
        for (std::uint32_t x = 0; x < player.width; ++x) {
            player.cells[row * player.width + x] =
                static_cast<std::uint8_t>(FIRST_JEWEL + nextRandom() % COLOUR_COUNT);
        }
    }
}
}  // namespace

TEST_F(Rising, GeneratedRowNeverCompletesALine) {
    seedRandom(12345);
    for (int trial = 0; trial < 3000; ++trial) {
        randomStack(player, 1 + static_cast<std::uint32_t>(trial % 4));
        player.rowsPending = 1;
        player.startRise();
        ASSERT_FALSE(bottomRowCompletesALine(player)) << "trial " << trial << ": " << wellText(player);
        for (std::uint32_t x = 0; x < player.width; ++x) {
            const std::uint8_t cell = player.cellAt(x, player.height - 1);
            ASSERT_GE(cell, FIRST_JEWEL);
            ASSERT_LT(cell, FIRST_JEWEL + COLOUR_COUNT);
        }
    }
}

TEST_F(Rising, ConstrainedCellsStillGetAColour) {
    // Every neighbour pattern that excludes a colour at once: the loop must still end.
    setWell(player, {"12121", "12121", "21212"});
    player.rowsPending = 1;
    player.startRise();
    EXPECT_FALSE(bottomRowCompletesALine(player)) << wellText(player);
}

TEST_F(Rising, PushMovesEveryRowUpAndTakesThirtyTwoTicks) {
    setWell(player, {"1....", "23456"});
    player.rowsPending = 1;
    player.startRise();
    EXPECT_TRUE(player.rising);
    EXPECT_EQ(player.riseOffset, RISE_TICKS);
    EXPECT_EQ(player.rowsPending, 0u);
    EXPECT_EQ(wellText(player).substr(10 * 6, 11), "1..../23456");
    ticks(31);
    EXPECT_TRUE(player.rising);
    EXPECT_EQ(player.riseOffset, 1u);
    ticks(1);
    EXPECT_FALSE(player.rising);
    EXPECT_EQ(player.riseOffset, 0u);
}

TEST_F(Rising, PushingAJewelOutOfTheTopEndsTheGame) {
    setWell(player, {"....4", "....5", "....6", "....1", "....2", "....3", "....4", "....5", "....6", "....1",
                     "....2", "....3", "....4"});
    player.rowsPending = 1;
    player.startRise();
    EXPECT_TRUE(player.gameOver);
    EXPECT_EQ(rowText(player, 0), "....5");  // the push still happened
    EXPECT_EQ(rowText(player, 11), "....4");
}

TEST_F(Rising, LandingWithTwoRowsPendingRisesSixtyFourTicksBeforeMatching) {
    setWell(player, {"33..."});
    player.current = 0x00313233;  // bottom '3', middle '2', top '1'
    player.rowsPending = 2;
    placeColumnAboveStack(player);
    static_cast<void>(player.tick());  // lands: the run of 3s waits for the rows
    EXPECT_TRUE(player.rising);
    EXPECT_FALSE(player.clearing);
    EXPECT_EQ(player.rowsPending, 1u);
    ticks(32);
    EXPECT_TRUE(player.rising);
    EXPECT_EQ(player.rowsPending, 0u);
    ticks(31);
    EXPECT_TRUE(player.rising);
    EXPECT_FALSE(player.clearing);
    ticks(1);  // tick 64: the last row is in; the landed column is matched
    EXPECT_FALSE(player.rising);
    EXPECT_TRUE(player.clearing);
    EXPECT_EQ(rowText(player, 10), "ccc..");
}

TEST_F(Rising, RowsReceivedWhileRisingArePushedInTheSamePhase) {
    player.rowsPending = 1;
    player.startRise();
    ticks(10);
    player.rowsPending += 1;
    ticks(22);
    EXPECT_TRUE(player.rising);
    EXPECT_EQ(player.riseOffset, RISE_TICKS);
    EXPECT_EQ(player.rowsPending, 0u);
}

TEST_F(Rising, NewRowsDrawFromTheSharedGenerator) {
    // Two players fed the same generator state build the same row.
    GameSession other(1);
    Player& twin = joinedPlayer(other, GameKind::TwoPlayer);
    seedRandom(99);
    player.rowsPending = 1;
    player.startRise();
    seedRandom(99);
    twin.rowsPending = 1;
    twin.startRise();
    EXPECT_EQ(wellText(player), wellText(twin));
    EXPECT_NE(rowText(player, 12), ".....");
}

TEST(SmallWell, RisesAndLandsWithinItsCells) {
    // A well lower than three rows has no rows above its bottom to compare a new row against.
    GameSession session(6);
    for (const std::uint32_t height : {1u, 2u}) {
        Player player(session, 2, height, false, 3);
        player.rowsPending = 2;
        player.startRise();
        player.startRise();
        for (std::uint32_t x = 0; x < 2; ++x) {
            EXPECT_GE(player.cellAt(x, height - 1), FIRST_JEWEL);
            EXPECT_LT(player.cellAt(x, height - 1), FIRST_JEWEL + COLOUR_COUNT);
        }
        player.clearWell();
        player.rising = false;
        player.gameOver = false;  // the second row pushed the first out of a one-row well
        const Triple falling = player.current;
        player.columnBottom = height * CELL_SIZE;
        player.fallAccumulator = player.fallPeriod;
        EXPECT_TRUE(player.tick());
        EXPECT_TRUE(player.gameOver);  // a column of three never fits; what fits is written
        for (std::uint32_t position = 0; position < height; ++position) {
            EXPECT_EQ(player.cellAt(1, height - 1 - position), tripleJewel(falling, position));
        }
    }
}
