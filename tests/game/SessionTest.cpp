// The windowless game session: making players, routing keys, the pause, the shared column sequence
// and the penalty rows handed from one player to the other.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/game/WellText.h"

namespace {
struct TwoPlayers : ::testing::Test {
    GameSession session{77};
    Player& first = joinedPlayer(session, GameKind::TwoPlayer);
    Player& second = *session.players[1];
};

}  // namespace

TEST(GameSession, JoinsPlayersByGameKind) {
    GameSession one(4);
    ASSERT_TRUE(one.joinPlayers(GameKind::OnePlayer, {}));
    EXPECT_EQ(one.playerCount, 1u);
    EXPECT_TRUE(one.players[0]->levelProgression);
    EXPECT_EQ(one.players[0]->maxRowsToSend, 2u);
    EXPECT_EQ(one.players[0]->width, WELL_WIDTH);
    EXPECT_EQ(one.players[0]->cellCount, 65u);
    EXPECT_STREQ(one.players[0]->name.data(), "Norvo");
    GameSession two(4);
    ASSERT_TRUE(two.joinPlayers(GameKind::TwoPlayer, {}));
    EXPECT_EQ(two.playerCount, 2u);
    EXPECT_FALSE(two.players[1]->levelProgression);
    EXPECT_EQ(two.players[1]->maxRowsToSend, 3u);
}

TEST(GameSession, TakesAtMostSixPlayers) {
    GameSession session(4);
    for (int i = 0; i < 8; ++i) {
        session.addPlayer(std::make_unique<Player>(session, 0, 0, false, 3));
    }
    session.addPlayer(nullptr);
    EXPECT_EQ(session.playerCount, MAX_PLAYERS);
    EXPECT_EQ(session.players[5]->height, WELL_HEIGHT);
}

TEST(GameSession, NamesAreTruncatedAndTerminated) {
    GameSession session(4);
    Player& player = joinedPlayer(session, GameKind::OnePlayer);
    const std::string longName(400, 'q');
    player.setName(longName.c_str());
    EXPECT_EQ(std::string(player.name.data()), longName.substr(0, 255));
    player.setName("Ada");
    EXPECT_STREQ(player.name.data(), "Ada");
}

TEST_F(TwoPlayers, BothReceiveTheSameColumns) {
    // Player 1 drops fast, player 2 at normal speed: each meets the same columns at its own pace.
    second.keys = KeyBindings{{{{1000, 1001, 1002, 1003}}}};
    std::vector<Triple> firstColumns{first.current};
    std::vector<Triple> secondColumns{second.current};
    first.keyPressed(Action::Fast);
    for (int tick = 0; tick < 20000 && secondColumns.size() < 4; ++tick) {
        const std::uint32_t firstCursor = first.randomCursor;
        const std::uint32_t secondCursor = second.randomCursor;
        static_cast<void>(session.tickPlayers());
        if (first.randomCursor != firstCursor) {
            firstColumns.push_back(first.current);
        }
        if (second.randomCursor != secondCursor) {
            secondColumns.push_back(second.current);
        }
    }
    ASSERT_EQ(secondColumns.size(), 4u);
    ASSERT_GE(firstColumns.size(), 4u);
    firstColumns.resize(4);
    EXPECT_EQ(firstColumns, secondColumns);
}

TEST_F(TwoPlayers, SameKeyReachesBothPlayers) {
    session.routeKeyDown(37);  // both hold the default bindings
    EXPECT_EQ(first.pressCount[Action::Left], 1u);
    EXPECT_EQ(second.pressCount[Action::Left], 1u);
    session.routeKeyUp(40);
    EXPECT_EQ(first.releaseCount[Action::Fast], -1);
    EXPECT_EQ(second.releaseCount[Action::Fast], -1);
}

TEST_F(TwoPlayers, KeyBoundTwiceActsOnlyAsItsFirstAction) {
    first.keys = KeyBindings{{{{65, 65, 66, 67}}}};
    EXPECT_EQ(first.actionForKey(65), Action::Left);
    EXPECT_FALSE(first.actionForKey(90).has_value());
    session.routeKeyDown(65);
    EXPECT_EQ(first.pressCount[Action::Left], 1u);
    EXPECT_EQ(first.pressCount[Action::Right], 0u);
    EXPECT_EQ(second.pressCount[Action::Left], 0u);  // not bound for player 2
}

TEST_F(TwoPlayers, InactivePlayerGetsNoKeys) {
    second.active = false;
    session.routeKeyDown(39);
    EXPECT_EQ(first.pressCount[Action::Right], 1u);
    EXPECT_EQ(second.pressCount[Action::Right], 0u);
}

TEST_F(TwoPlayers, PauseFreezesTicksAndIgnoresPressesButCountsReleases) {
    first.keys[Action::Rotate] = static_cast<std::int32_t>(VK_PAUSE);  // the pause key never reaches a player
    session.routeKeyDown(static_cast<std::int32_t>(VK_PAUSE));
    EXPECT_TRUE(session.paused);
    EXPECT_EQ(first.pressCount[Action::Rotate], 0u);
    session.routeKeyDown(37);
    session.routeKeyUp(40);
    EXPECT_EQ(first.pressCount[Action::Left], 0u);
    EXPECT_EQ(first.releaseCount[Action::Fast], -1);
    for (int i = 0; i < 20; ++i) {
        EXPECT_FALSE(session.tickPlayers());
    }
    EXPECT_EQ(first.fallAccumulator, 0u);
    first.keys[Action::Left] = static_cast<std::int32_t>(VK_ESCAPE);
    session.routeKeyDown(static_cast<std::int32_t>(VK_ESCAPE));  // Escape still passes while paused
    EXPECT_EQ(first.pressCount[Action::Left], 1u);
    session.routeKeyDown(static_cast<std::int32_t>(VK_PAUSE));
    EXPECT_FALSE(session.paused);
    static_cast<void>(session.tickPlayers());
    EXPECT_EQ(first.fallAccumulator, 1u);
}

TEST_F(TwoPlayers, FourScanCascadeSendsThreeRowsToTheOther) {
    second.rowsPending = 2;  // rows already waiting add up
    first.chainLength = 3;
    setWell(first, {"111.."});
    first.scanMatches();
    for (int i = 0; i < 5; ++i) {
        static_cast<void>(session.tickPlayers());
    }
    EXPECT_EQ(second.rowsPending, 2u);
    static_cast<void>(session.tickPlayers());  // the cascade ends in this tick
    EXPECT_EQ(first.rowsToSend, 0u);
    EXPECT_EQ(second.rowsPending, 5u);
    EXPECT_EQ(first.rowsPending, 0u);
}

TEST_F(TwoPlayers, PendingRowsArePushedInAtTheNextLanding) {
    second.rowsPending = 3;
    second.keys = KeyBindings{{{{1000, 1001, 1002, 1003}}}};
    second.columnBottom = 13 * CELL_SIZE;
    second.fallAccumulator = second.fallPeriod;
    static_cast<void>(session.tickPlayers());  // lands
    EXPECT_TRUE(second.rising);
    for (int tick = 1; tick < 96; ++tick) {
        static_cast<void>(session.tickPlayers());
        ASSERT_TRUE(second.rising) << tick;
    }
    static_cast<void>(session.tickPlayers());
    EXPECT_FALSE(second.rising);
    EXPECT_EQ(second.rowsPending, 0u);
    // The landed column now stands on three new full rows.
    const std::string landedRow = rowText(second, 9);
    EXPECT_EQ(landedRow.substr(0, 2) + landedRow.substr(3), "....");
    EXPECT_NE(landedRow[2], '.');
    for (std::uint32_t row = 10; row < 13; ++row) {
        EXPECT_EQ(rowText(second, row).find('.'), std::string::npos) << row;
    }
}

TEST(OnePlayerSession, SentRowsAreDropped) {
    GameSession session(8);
    Player& player = joinedPlayer(session, GameKind::OnePlayer);
    player.rowsToSend = 2;
    static_cast<void>(session.tickPlayers());
    EXPECT_EQ(player.rowsToSend, 0u);
    EXPECT_EQ(player.rowsPending, 0u);
}

TEST(GameSession, PoolIsFilledFromTheSeedAndZeroMeansTheClock) {
    GameSession session(1);
    EXPECT_EQ(session.randomPool[1], 18467);
    session.fillRandomPool(0);
    bool inRange = true;
    for (const std::int32_t value : session.randomPool) {
        inRange = inRange && value >= 0 && value <= 32767;
    }
    EXPECT_TRUE(inRange);
}
