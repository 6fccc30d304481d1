// The falling column: its speed at every level, the Fast key's rules, sideways moves and rotation,
// landing and the game over at the top of the well.
#include <gtest/gtest.h>

#include "tests/game/WellText.h"

namespace {
struct Fall : ::testing::Test {
    GameSession session{1};
    Player& player = joinedPlayer(session, GameKind::OnePlayer);

    void ticks(int count) {
        for (int i = 0; i < count; ++i) {
            static_cast<void>(player.tick());
        }
    }
    void useLevel(std::uint32_t level) {
        player.level = level;
        player.fallPeriod = levelTable[level].period;
        player.fallStep = levelTable[level].step;
    }
};
}  // namespace

TEST_F(Fall, FirstStepAfterPeriodPlusOneTicks) {
    ticks(5);
    EXPECT_EQ(player.columnBottom, 0u);
    EXPECT_TRUE(player.tick());
    EXPECT_EQ(player.columnBottom, 1u);
    EXPECT_FALSE(player.tick());  // credit only: nothing to repaint
}

TEST_F(Fall, SpeedAtEveryLevel) {
    for (std::uint32_t level = 0; level < LEVEL_COUNT; ++level) {
        useLevel(level);
        const LevelRow& row = levelTable[level];
        for (const std::uint32_t count : {1u, 7u, 40u, 90u}) {
            player.columnBottom = 0;
            player.fallAccumulator = 0;
            ticks(static_cast<int>(count));
            // A step whenever the credit exceeds the period: after period + 1 ticks, then every period.
            EXPECT_EQ(player.columnBottom, row.step * ((count - 1) / row.period))
                << "level " << level << " after " << count << " ticks";
        }
    }
}

TEST_F(Fall, OneRowTakesTheTabledTicks) {
    const double rowTicks[LEVEL_COUNT] = {160, 128, 96, 64, 48, 32, 16, 32.0 / 3.0, 8};
    for (std::uint32_t level = 0; level < LEVEL_COUNT; ++level) {
        const LevelRow& row = levelTable[level];
        EXPECT_DOUBLE_EQ(CELL_SIZE * static_cast<double>(row.period) / row.step, rowTicks[level]);
    }
}

TEST_F(Fall, FastHeldFallsTwoStepsPerTick) {
    useLevel(8);  // period 1, step 4
    ticks(2);
    EXPECT_EQ(player.columnBottom, 4u);
    player.keyPressed(Action::Fast);
    ticks(3);
    EXPECT_EQ(player.columnBottom, 4u + 3 * 8);
    player.keyReleased(Action::Fast);
    ticks(1);  // the release ends fast falling after this tick
    EXPECT_EQ(player.columnBottom, 4u + 4 * 8);
    ticks(1);
    EXPECT_EQ(player.columnBottom, 4u + 4 * 8 + 4);
}

TEST_F(Fall, FastCreditIsTwicePeriodAtLevelOne) {
    player.keyPressed(Action::Fast);
    ticks(1);  // credit 10 from 0: one step, 5 left over
    EXPECT_EQ(player.columnBottom, 1u);
    EXPECT_EQ(player.fallAccumulator, 5u);
    ticks(1);  // 15: two steps
    EXPECT_EQ(player.columnBottom, 3u);
    EXPECT_EQ(player.fallAccumulator, 5u);
}

TEST_F(Fall, TappedFastGivesExactlyOneFastTick) {
    player.keyPressed(Action::Fast);
    player.keyReleased(Action::Fast);
    ticks(1);
    EXPECT_EQ(player.columnBottom, 1u);
    EXPECT_EQ(player.pressCount[Action::Fast], 0u);
    EXPECT_EQ(player.releaseCount[Action::Fast], 0);
    ticks(4);  // credit 5 + 4 = 9: one more step
    EXPECT_EQ(player.columnBottom, 2u);
}

TEST_F(Fall, FastReleasedDuringPhaseGivesOneFastTickAfterIt) {
    setWell(player, {"111.."});
    player.scanMatches();
    player.keyPressed(Action::Fast);
    player.keyReleased(Action::Fast);
    ticks(6);  // the clearing phase; the fall does not run
    EXPECT_FALSE(player.clearing);
    EXPECT_EQ(player.columnBottom, 0u);
    EXPECT_EQ(player.pressCount[Action::Fast], 1u);
    ticks(1);  // first fall tick: fast once
    EXPECT_EQ(player.pressCount[Action::Fast], 0u);
    const std::uint32_t after = player.columnBottom;
    EXPECT_GE(after, 1u);
    ticks(1);  // back to credit 1
    EXPECT_LE(player.columnBottom, after + 1);
}

TEST_F(Fall, LeftAndRightStopAtTheWellEdges) {
    player.columnX = 0;
    player.keyPressed(Action::Left);
    EXPECT_FALSE(player.tick());
    EXPECT_EQ(player.columnX, 0u);
    player.columnX = 4;
    player.keyPressed(Action::Right);
    EXPECT_FALSE(player.tick());
    EXPECT_EQ(player.columnX, 4u);
    player.keyPressed(Action::Left);
    EXPECT_TRUE(player.tick());
    EXPECT_EQ(player.columnX, 3u);
}

TEST_F(Fall, ThreeLeftPressesMoveAsFarAsCellsAllow) {
    setWell(player, {".1...", ".1...", ".1..."});
    player.columnX = 4;
    player.columnBottom = 12 * CELL_SIZE;  // lower edge at row 11's bottom: rows 9 to 11
    for (int i = 0; i < 3; ++i) {
        player.keyPressed(Action::Left);
    }
    EXPECT_TRUE(player.tick());
    EXPECT_EQ(player.columnX, 2u);  // the third step is blocked by the jewels of column 1
    EXPECT_EQ(player.pressCount[Action::Left], 0u);
    player.columnBottom = 9 * CELL_SIZE;  // now above them: free to pass
    player.keyPressed(Action::Left);
    player.keyPressed(Action::Left);
    static_cast<void>(player.tick());
    EXPECT_EQ(player.columnX, 0u);
}

TEST_F(Fall, ColumnInTheTopRowCannotMoveBesideATopRowJewel) {
    setWell(player, {"13...", "24...", "35...", "46...", "51...", "62...", "13...", "24...", "35...", "46...",
                     "51...", "62...", "13..."});
    player.columnX = 2;
    for (const std::uint32_t bottom : {1u, 16u, 32u}) {
        player.columnBottom = bottom;
        EXPECT_FALSE(player.canMoveTo(1)) << bottom;
        EXPECT_TRUE(player.canMoveTo(3)) << bottom;
    }
    player.columnBottom = 0;  // entirely above the well: fits anywhere
    EXPECT_TRUE(player.canMoveTo(1));
}

TEST_F(Fall, RotatingThreeTimesRestoresTheColumn) {
    const Triple start = player.current;
    player.keyPressed(Action::Rotate);
    EXPECT_TRUE(player.tick());
    EXPECT_EQ(player.current, rotateTriple(start));
    player.keyPressed(Action::Rotate);
    player.keyPressed(Action::Rotate);
    static_cast<void>(player.tick());
    EXPECT_EQ(player.current, start);
}

TEST_F(Fall, MovesDuringAPhaseActOnTheWaitingColumn) {
    setWell(player, {"222.."});
    player.scanMatches();
    player.keyPressed(Action::Right);
    player.keyPressed(Action::Rotate);
    const Triple waiting = player.current;
    EXPECT_TRUE(player.tick());
    EXPECT_EQ(player.columnX, 3u);
    EXPECT_EQ(player.current, rotateTriple(waiting));
    EXPECT_EQ(player.clearFrame, 1u);
}

TEST_F(Fall, LandingOnTheFloorFixesTheColumnAndSpawnsTheNext) {
    const Triple falling = player.current;
    const Triple waiting = player.next;
    const std::uint32_t landings = session.soundRequests(GameSound::Land);
    placeColumnAboveStack(player);
    EXPECT_TRUE(player.tick());
    EXPECT_EQ(session.soundRequests(GameSound::Land), landings + 1);
    EXPECT_EQ(player.cellAt(2, 12), tripleJewel(falling, 0));
    EXPECT_EQ(player.cellAt(2, 11), tripleJewel(falling, 1));
    EXPECT_EQ(player.cellAt(2, 10), tripleJewel(falling, 2));
    EXPECT_EQ(player.current, waiting);
    EXPECT_EQ(player.columnBottom, 0u);
    EXPECT_EQ(player.randomCursor, 9u);  // two spawns at the start and one now, three values each
    EXPECT_FALSE(player.gameOver);
}

TEST_F(Fall, LandingAtMostOncePerTickCarriesCreditOver) {
    useLevel(8);
    player.columnBottom = 13 * CELL_SIZE;
    player.fallAccumulator = 10;  // credit for several steps
    EXPECT_TRUE(player.tick());
    EXPECT_EQ(player.columnBottom, 0u);  // landed at the first step, the new column waits
    EXPECT_EQ(player.fallAccumulator, 10u);
}

TEST_F(Fall, ColumnThatSticksOutEndsTheGame) {
    // Column 2 filled up to row 2: the bottom and middle jewels fit into rows 1 and 0.
    setWell(player, {"..1..", "..2..", "..3..", "..4..", "..5..", "..6..", "..1..", "..2..", "..3..", "..4..",
                     "..5.."});
    const Triple falling = player.current;
    placeColumnAboveStack(player);
    EXPECT_EQ(player.columnBottom, 2 * CELL_SIZE);
    static_cast<void>(player.tick());
    EXPECT_TRUE(player.gameOver);
    EXPECT_EQ(player.cellAt(2, 1), tripleJewel(falling, 0));
    EXPECT_EQ(player.cellAt(2, 0), tripleJewel(falling, 1));
    const std::string well = wellText(player);
    EXPECT_FALSE(player.tick());  // a finished game neither moves nor repaints
    EXPECT_EQ(wellText(player), well);
}

TEST_F(Fall, FullWellColumnLandsAtTheFirstStepAndEndsTheGame) {
    setWell(player, {"..1..", "..2..", "..3..", "..4..", "..5..", "..6..", "..1..", "..2..", "..3..", "..4..",
                     "..5..", "..6..", "..1.."});
    const std::string well = wellText(player);
    ticks(6);
    EXPECT_TRUE(player.gameOver);
    EXPECT_EQ(wellText(player), well);  // nothing was written
}
