// Scoring and levels: points per scan, level rises with carried-over jewels, the level display and
// the last level, and the fixed level of the two-player game.
#include <gtest/gtest.h>

#include "tests/game/WellText.h"

namespace {
struct Level : ::testing::Test {
    GameSession session{1};
    Player& player = joinedPlayer(session, GameKind::OnePlayer);

    std::uint32_t scoreOf(std::uint32_t jewels, std::uint32_t chain) {
        const std::uint32_t before = player.score;
        player.applyMatchScore(jewels, chain);
        return player.score - before;
    }
    void ticks(int count) {
        for (int i = 0; i < count; ++i) {
            static_cast<void>(player.tick());
        }
    }
};
}  // namespace

TEST_F(Level, PointsByJewelGroupAndChain) {
    EXPECT_EQ(scoreOf(3, 1), 30u);
    EXPECT_EQ(scoreOf(4, 1), 40u);
    EXPECT_EQ(scoreOf(5, 1), 50u);
    EXPECT_EQ(scoreOf(6, 1), 70u);
    EXPECT_EQ(scoreOf(10, 1), 170u);
    EXPECT_EQ(scoreOf(3, 2), 60u);
    EXPECT_EQ(scoreOf(3, 3), 90u);
    EXPECT_EQ(pointsForMatch(levelTable[0], 14), 5 * 10 + 4 * 20 + 4 * 40 + 80u);
    EXPECT_EQ(pointsForMatch(levelTable[6], 3), 120u);
}

TEST_F(Level, ExactlyFiftyJewelsRiseToLevelTwo) {
    player.applyMatchScore(50, 1);
    EXPECT_EQ(player.level, 1u);
    EXPECT_EQ(player.jewelsTowardLevel, 0u);
    EXPECT_TRUE(player.levelUpPending);
    EXPECT_EQ(player.fallPeriod, 4u);
    EXPECT_EQ(player.fallStep, 1u);
}

TEST_F(Level, ExcessJewelsCarryOver) {
    player.applyMatchScore(53, 1);
    EXPECT_EQ(player.level, 1u);
    EXPECT_EQ(player.jewelsTowardLevel, 3u);
    player.level = 0;
    player.jewelsTowardLevel = 45;
    player.applyMatchScore(12, 1);
    EXPECT_EQ(player.level, 1u);
    EXPECT_EQ(player.jewelsTowardLevel, 7u);
}

TEST_F(Level, AtMostOneRisePerScan) {
    player.applyMatchScore(120, 1);
    EXPECT_EQ(player.level, 1u);
    EXPECT_EQ(player.jewelsTowardLevel, 70u);
}

TEST_F(Level, RisingScanIsPaidAtTheNewLevel) {
    player.level = 2;
    player.jewelsTowardLevel = 45;
    EXPECT_EQ(scoreOf(12, 1), 5 * 20 + 4 * 40 + 3 * 80u);  // level 4's points
    EXPECT_EQ(player.level, 3u);
}

TEST_F(Level, RiseInAChainShowsTheDisplayAtTheEndOfTheCascade) {
    player.jewelsTowardLevel = 48;
    setWell(player, {"2....", "1....", "1....", "122.."});
    player.scanMatches();  // 51 jewels: the level rises in the first scan
    EXPECT_EQ(player.level, 1u);
    EXPECT_TRUE(player.levelUpPending);
    ticks(6 + 48);  // clearing and collapse: the chain goes on
    EXPECT_EQ(player.chainLength, 2u);
    EXPECT_FALSE(player.levelShow);
    const std::uint32_t matches = session.soundRequests(GameSound::Match);
    ticks(6);  // the cascade ends: the display starts
    EXPECT_TRUE(player.levelShow);
    EXPECT_FALSE(player.levelUpPending);
    EXPECT_EQ(player.levelShowTicks, 0u);
    EXPECT_EQ(session.soundRequests(GameSound::Match), matches + 1);
    EXPECT_EQ(player.rowsToSend, 1u);            // computed after the display started
    EXPECT_EQ(player.score, 30u + 2 * 3 * 10u);  // level 2 pays as level 1
}

TEST_F(Level, DisplayLastsOneHundredSixtyOneTicksAndEmptiesTheWell) {
    setWell(player, {"4....", "5...."});
    player.startLevelShow();
    for (int i = 0; i < 3; ++i) {
        player.keyPressed(Action::Left);
    }
    player.keyPressed(Action::Fast);
    for (std::uint32_t tick = 1; tick <= LEVEL_SHOW_TICKS; ++tick) {
        EXPECT_TRUE(player.tick());
        EXPECT_EQ(player.levelShowTicks, tick);
    }
    EXPECT_TRUE(player.levelShow);
    EXPECT_EQ(player.columnX, 2u);  // presses wait for the display to end
    EXPECT_EQ(player.columnBottom, 0u);
    EXPECT_TRUE(player.tick());  // tick 161 ends it
    EXPECT_FALSE(player.levelShow);
    EXPECT_EQ(player.levelShowTicks, 0u);
    EXPECT_EQ(wellText(player).find_first_not_of("./"), std::string::npos);
    EXPECT_EQ(player.pressCount[Action::Left], 3u);
    EXPECT_TRUE(player.tick());  // then play resumes: all three Left presses, and Fast at once
    EXPECT_EQ(player.columnX, 0u);
    EXPECT_EQ(player.columnBottom, 1u);
    EXPECT_EQ(player.fallAccumulator, 5u);
}

TEST_F(Level, NinthLevelIsFreeRunAndLastsForever) {
    player.level = 7;
    player.fallPeriod = levelTable[7].period;
    player.fallStep = levelTable[7].step;
    player.jewelsTowardLevel = 99;
    EXPECT_FALSE(player.isFreeRun());
    player.applyMatchScore(3, 1);
    EXPECT_EQ(player.level, 8u);
    EXPECT_TRUE(player.levelUpPending);
    EXPECT_TRUE(player.isFreeRun());
    EXPECT_EQ(player.fallStep, 4u);
    EXPECT_EQ(player.score, 3 * 40u);
    player.levelUpPending = false;
    player.applyMatchScore(100, 1);
    player.applyMatchScore(150, 1);
    EXPECT_EQ(player.level, 8u);
    EXPECT_FALSE(player.levelUpPending);
    EXPECT_EQ(player.jewelsTowardLevel, 2u + 50u);
    EXPECT_EQ(player.fallPeriod, 1u);
    EXPECT_EQ(player.fallStep, 4u);
}

TEST_F(Level, ClimbsThroughAllNineLevels) {
    std::uint32_t shows = 0;
    for (int scan = 0; scan < 40 && player.level < LEVEL_COUNT - 1; ++scan) {
        setWell(player, {"11111", "22222", "33333", "44444", "55555", "66666"});  // 30 jewels
        player.scanMatches();
        for (int tick = 0; tick < 400 && (player.clearing || player.collapsing || player.levelShow); ++tick) {
            shows += player.levelShowTicks == 1 ? 1 : 0;
            static_cast<void>(player.tick());
        }
    }
    EXPECT_EQ(player.level, LEVEL_COUNT - 1);
    EXPECT_EQ(shows, LEVEL_COUNT - 1);
    EXPECT_EQ(player.fallPeriod, levelTable[8].period);
}

TEST(TwoPlayerLevel, NeverRises) {
    GameSession session(3);
    Player& player = joinedPlayer(session, GameKind::TwoPlayer);
    EXPECT_FALSE(player.levelProgression);
    EXPECT_EQ(player.maxRowsToSend, 3u);
    for (int i = 0; i < 20; ++i) {
        player.applyMatchScore(30, 1);
    }
    EXPECT_EQ(player.level, 0u);
    EXPECT_EQ(player.jewelsTowardLevel, 600u);
    EXPECT_FALSE(player.levelUpPending);
    EXPECT_EQ(player.fallPeriod, 5u);
    EXPECT_EQ(player.score, 20 * (5 * 10 + 4 * 20 + 4 * 40 + 17 * 80u));
}
