// Clearing, collapse and chains: the phases after a scan with a result, their timing, their scores
// and the rows a cascade sends.
#include <algorithm>

#include <gtest/gtest.h>

#include "tests/game/WellText.h"

namespace {
struct Cascade : ::testing::Test {
    GameSession session{1};
    Player& player = joinedPlayer(session, GameKind::OnePlayer);

    void ticks(int count) {
        for (int i = 0; i < count; ++i) {
            static_cast<void>(player.tick());
        }
    }
};

const std::string EMPTY_WELL =
    "...../...../...../...../...../...../...../...../...../...../...../...../.....";

// A vertical run whose clearing lets a jewel fall three rows into a second run: a two-scan cascade.
void setTwoScanCascade(Player& player) {
    setWell(player, {"2....", "1....", "1....", "122.."});
}
}  // namespace

TEST_F(Cascade, SimpleCascadeFollowsItsTimeline) {
    setWell(player, {"5....", "11.22"});
    player.columnX = 2;
    player.current = 0x00343331;  // bottom '1', middle '3', top '4'
    placeColumnAboveStack(player);
    const std::uint32_t landings = session.soundRequests(GameSound::Land);
    const std::uint32_t matches = session.soundRequests(GameSound::Match);

    EXPECT_TRUE(player.tick());  // T: lands, scans, spawns the next column
    EXPECT_EQ(session.soundRequests(GameSound::Land), landings + 1);
    EXPECT_EQ(session.soundRequests(GameSound::Match), matches + 1);
    EXPECT_EQ(wellText(player).substr(10 * 6), "..4../5.3../aaa22");
    EXPECT_TRUE(player.clearing);
    EXPECT_EQ(player.chainLength, 1u);
    EXPECT_EQ(player.columnBottom, 0u);
    for (std::uint32_t frame = 1; frame <= 5; ++frame) {  // T+1 .. T+5
        EXPECT_TRUE(player.tick());
        EXPECT_EQ(player.clearFrame, frame);
        EXPECT_TRUE(player.clearing);
    }
    EXPECT_TRUE(player.tick());  // T+6: cleared, the jewels above the gap are falling
    EXPECT_FALSE(player.clearing);
    EXPECT_TRUE(player.collapsing);
    EXPECT_EQ(player.collapseOffset, 0u);
    EXPECT_EQ(wellText(player).substr(10 * 6), "..d../e.c../...22");
    ticks(15);  // T+7 .. T+21
    EXPECT_EQ(player.collapseOffset, 30u);
    EXPECT_TRUE(player.collapsing);
    EXPECT_TRUE(player.tick());  // T+22: at rest one row lower, no new run
    EXPECT_FALSE(player.collapsing);
    EXPECT_FALSE(player.clearing);
    EXPECT_EQ(player.collapseOffset, 0u);
    EXPECT_EQ(player.chainLength, 0u);
    EXPECT_EQ(player.rowsToSend, 0u);  // one scan sends nothing
    EXPECT_EQ(wellText(player).substr(10 * 6), "...../..4../5.322");
    EXPECT_EQ(player.score, 30u);
    ticks(1);  // T+23: the waiting column falls again (credit only)
    EXPECT_EQ(player.fallAccumulator, 2u);
}

TEST_F(Cascade, SecondScanDoublesPointsAndSendsARow) {
    setTwoScanCascade(player);
    player.scanMatches();
    EXPECT_EQ(player.score, 30u);
    ticks(6);  // clearing
    EXPECT_TRUE(player.collapsing);
    ticks(47);  // the jewel falls three rows: 48 ticks
    EXPECT_TRUE(player.collapsing);
    ticks(1);
    EXPECT_TRUE(player.clearing);  // the collapse made a new run, far from where it started
    EXPECT_EQ(player.chainLength, 2u);
    EXPECT_EQ(rowText(player, 12), "bbb..");
    EXPECT_EQ(player.score, 90u);  // 30 + 2 x 30
    ticks(5);
    EXPECT_EQ(player.chainLength, 2u);
    ticks(1);  // nothing floats after the second clearing: the cascade ends
    EXPECT_FALSE(player.clearing);
    EXPECT_FALSE(player.collapsing);
    EXPECT_EQ(player.chainLength, 0u);
    EXPECT_EQ(player.rowsToSend, 1u);
    EXPECT_EQ(wellText(player), EMPTY_WELL);
}

TEST_F(Cascade, ThirdScanTriplesPoints) {
    // Clearing the 1s drops the 2 into a row of 2s, whose clearing drops the 3 into a diagonal of 3s.
    setWell(player, {"3....", "2....", "1....", "1....", "122..", "434..", "563.."});
    player.scanMatches();
    EXPECT_EQ(player.score, 30u);
    ticks(6 + 48);  // clear three 1s; the 2 and the 3 fall three rows
    EXPECT_EQ(player.chainLength, 2u);
    EXPECT_EQ(rowText(player, 10), "bbb..");
    EXPECT_EQ(player.score, 90u);
    ticks(6 + 16);  // clear the 2s; the 3 falls one row onto the diagonal
    EXPECT_EQ(player.chainLength, 3u);
    EXPECT_EQ(wellText(player).substr(10 * 6), "c..../4c4../56c..");
    EXPECT_EQ(player.score, 180u);  // 30 + 60 + 90
    ticks(6 + 16);                  // clear the 3s; the 4 left above a gap falls one row, making nothing
    EXPECT_FALSE(player.collapsing);
    EXPECT_FALSE(player.clearing);
    EXPECT_EQ(player.chainLength, 0u);
    EXPECT_EQ(player.rowsToSend, 2u);
    EXPECT_EQ(wellText(player).substr(11 * 6), "4..../564..");
}

TEST_F(Cascade, RowsSentAreCappedByTheGameKind) {
    for (const std::uint32_t chain : {1u, 2u, 3u, 4u, 5u, 9u}) {
        for (const std::uint32_t cap : {2u, 3u}) {
            player.maxRowsToSend = cap;
            player.rowsToSend = 0;
            setWell(player, {"111.."});  // the last clearing leaves nothing floating
            player.chainLength = chain - 1;
            player.scanMatches();
            ticks(6);
            const std::uint32_t expected = chain == 1 ? 0 : std::min(chain - 1, cap);
            EXPECT_EQ(player.rowsToSend, expected) << "chain " << chain << " cap " << cap;
            EXPECT_EQ(player.chainLength, 0u);
        }
    }
}

TEST_F(Cascade, CollapseClosesSeveralGapsInOnePhase) {
    // Column 0: two separate gaps; column 4: one gap under two jewels.
    setWell(player, {"3....", "....6", "2...5", ".....", "1...4"});
    player.collapsing = player.markFloating();
    ASSERT_TRUE(player.collapsing);
    EXPECT_EQ(wellText(player).substr(8 * 6), "c..../....f/b...e/...../1...4");
    ticks(16);  // 32 pixels: column 4 and the lower jewel of column 0 come to rest
    EXPECT_EQ(wellText(player).substr(8 * 6), "c..../...../....6/2...5/1...4");
    EXPECT_TRUE(player.collapsing);
    ticks(15);
    EXPECT_TRUE(player.collapsing);
    ticks(1);  // 64 pixels: everything rests, lower jewels first
    EXPECT_FALSE(player.collapsing);
    EXPECT_EQ(wellText(player).substr(8 * 6), "...../...../3...6/2...5/1...4");
}

TEST_F(Cascade, SettleStopsJewelsOnRestingJewelsOnly) {
    setWell(player, {"2....", ".....", "1...."});
    ASSERT_TRUE(player.markFloating());
    player.collapseOffset = 30;  // still within its own row: keeps falling
    player.settleFalling();
    EXPECT_EQ(rowText(player, 10), "b....");
    player.collapseOffset = 32;  // aligned with the row above the resting jewel
    player.settleFalling();
    EXPECT_EQ(wellText(player).substr(10 * 6), "...../2..../1....");
}

TEST_F(Cascade, FallingJewelPassesOverAnotherFallingJewel) {
    // Two jewels with a gap between them fall together; the upper one does not stop on the lower
    // one while that one is still falling.
    setWell(player, {"2....", ".....", "3....", ".....", ".....", ".....", ".....", "1...."});
    player.collapsing = player.markFloating();
    ticks(16);  // one row down: both still falling
    EXPECT_EQ(wellText(player).substr(5 * 6, 11), "b..../.....");
    EXPECT_EQ(rowText(player, 7), "c....");
    ticks(48);  // four rows: the lower one rests on the 1
    EXPECT_EQ(rowText(player, 11), "3....");
    EXPECT_EQ(rowText(player, 5), "b....");
    ticks(16);  // five rows: the upper one rests on it
    EXPECT_FALSE(player.collapsing);
    EXPECT_EQ(wellText(player).substr(9 * 6), "...../2..../3..../1....");
}

TEST_F(Cascade, NoMarkOutsideClearingAndCollapse) {
    setTwoScanCascade(player);
    player.scanMatches();
    for (int tick = 0; tick < 80; ++tick) {
        static_cast<void>(player.tick());
        bool marked = false;
        for (const std::uint8_t cell : player.cells) {
            marked = marked || (cell & MARK_BIT) != 0;
        }
        EXPECT_TRUE(!marked || player.clearing || player.collapsing) << "tick " << tick;
    }
}
