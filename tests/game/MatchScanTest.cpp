// The match scan: runs of three or more in four directions, anywhere in the well, and what a scan
// with a result starts.
#include <gtest/gtest.h>

#include "tests/game/WellText.h"

namespace {
struct MatchScan : ::testing::Test {
    GameSession session{1};
    Player& player = joinedPlayer(session, GameKind::OnePlayer);
};
}  // namespace

TEST_F(MatchScan, MarksHorizontalRunOfThree) {
    setWell(player, {"..4..", "111.2"});
    player.scanMatches();
    EXPECT_EQ(rowText(player, 12), "aaa.2");
    EXPECT_EQ(rowText(player, 11), "..4..");
    EXPECT_EQ(player.chainLength, 1u);
    EXPECT_TRUE(player.clearing);
    EXPECT_EQ(player.score, 30u);
    EXPECT_EQ(player.jewelsTowardLevel, 3u);
}

TEST_F(MatchScan, MarksVerticalRun) {
    setWell(player, {"...3.", "...3.", "...3.", "...1."});
    player.scanMatches();
    EXPECT_EQ(rowText(player, 9), "...c.");
    EXPECT_EQ(rowText(player, 11), "...c.");
    EXPECT_EQ(rowText(player, 12), "...1.");
}

TEST_F(MatchScan, MarksDownRightDiagonal) {
    setWell(player, {"5....", "25...", "345..", "1234."});
    player.scanMatches();
    EXPECT_EQ(wellText(player).substr(9 * 6), "e..../2e.../34e../1234.");
}

TEST_F(MatchScan, MarksDownLeftDiagonal) {
    setWell(player, {"....6", "...64", "..645", ".6121"});
    player.scanMatches();
    EXPECT_EQ(rowText(player, 9), "....f");
    EXPECT_EQ(rowText(player, 10), "...f4");
    EXPECT_EQ(rowText(player, 11), "..f45");
    EXPECT_EQ(rowText(player, 12), ".f121");
    EXPECT_EQ(player.jewelsTowardLevel, 4u);
}

TEST_F(MatchScan, PairsAndBrokenLinesAreNotRuns) {
    setWell(player, {"2....", "11.11", "21312"});
    player.scanMatches();
    EXPECT_FALSE(player.clearing);
    EXPECT_EQ(player.chainLength, 0u);
    EXPECT_EQ(player.score, 0u);
    EXPECT_EQ(wellText(player).substr(10 * 6), "2..../11.11/21312");
}

TEST_F(MatchScan, RunsDoNotWrapAroundTheWellEdge) {
    // Cells 4 of row 11 and 0, 1 of row 12 are neighbours in memory but not in the well.
    setWell(player, {"....1", "11..."});
    player.scanMatches();
    EXPECT_FALSE(player.clearing);
}

TEST_F(MatchScan, FiveInARowCountFive) {
    setWell(player, {"22222"});
    player.scanMatches();
    EXPECT_EQ(rowText(player, 12), "bbbbb");
    EXPECT_EQ(player.jewelsTowardLevel, 5u);
    EXPECT_EQ(player.score, 50u);
}

TEST_F(MatchScan, CrossingLinesShareTheirCorner) {
    // An L of three across and three up, sharing the corner: five cells.
    setWell(player, {"4....", "4....", "44421"});
    player.scanMatches();
    EXPECT_EQ(wellText(player).substr(10 * 6), "d..../d..../ddd21");
    EXPECT_EQ(player.jewelsTowardLevel, 5u);
    EXPECT_EQ(player.score, 50u);
}

TEST_F(MatchScan, ScansTheWholeWellAtOnce) {
    // Two separate runs far apart are scored together as one scan of six.
    setWell(player, {"3....", "3....", "3....", "1....", "2....", "1....", "2...5", "1...5", "2...5"});
    player.scanMatches();
    EXPECT_EQ(rowText(player, 4), "c....");
    EXPECT_EQ(rowText(player, 12), "2...e");
    EXPECT_EQ(player.jewelsTowardLevel, 6u);
    EXPECT_EQ(player.score, 70u);
    EXPECT_EQ(player.chainLength, 1u);
}

TEST_F(MatchScan, MarkedJewelsKeepTheirColour) {
    // A jewel already marked still joins a run of its colour.
    setWell(player, {"a11.."});
    player.scanMatches();
    EXPECT_EQ(rowText(player, 12), "aaa..");
    EXPECT_EQ(player.jewelsTowardLevel, 3u);
}

TEST_F(MatchScan, RunPlaysMatchSoundAndEmptyScanIsSilent) {
    const std::uint32_t before = session.soundRequests(GameSound::Match);
    setWell(player, {"12121"});
    player.scanMatches();
    EXPECT_EQ(session.soundRequests(GameSound::Match), before);
    setWell(player, {"12221"});
    player.scanMatches();
    EXPECT_EQ(session.soundRequests(GameSound::Match), before + 1);
    EXPECT_EQ(player.clearFrame, 0u);
    EXPECT_FALSE(player.collapsing);
}
