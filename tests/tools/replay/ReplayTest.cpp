// veskar-replay: the script commands, the dump line format and the rejection of malformed scripts.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "tools/replay/PlayerDump.h"
#include "tools/replay/ReplayRunner.h"

namespace {
struct Result {
    int status;
    std::string out;
    std::string err;
};

Result replay(const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream err;
    ReplayRunner runner;
    const int status = runner.run(in, out, err);
    return {status, out.str(), err.str()};
}

const std::string EMPTY_WELL(65, '.');
}  // namespace

TEST(ReplayDump, FreshSeedOneGameMatchesTheFormat) {
    const Result result = replay("game 1 1\ndump\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    // Pool values 41 18467 6334 give 6 6 3; 26500 19169 15724 give 5 2 1.
    EXPECT_EQ(result.out,
              "P 1 score 0 level 0 jewels 0 chain 0 state falling col 2 0 cur 663 next 521 pending 0 send 0 "
              "frame 0 collapse 0 rise 0 show 0 fall 5 1 0 well " +
                  EMPTY_WELL + "\n");
}

TEST(ReplayDump, TwoPlayerGameDumpsBothPlayers) {
    const Result result = replay("game 2 9\ndump\n");
    EXPECT_EQ(result.status, 0);
    const std::size_t second = result.out.find("\nP 2 score 0 ");
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(result.out.rfind("P 1 score 0 ", 0), 0u);
    // Both players start from the same pool: identical lines but for the number.
    EXPECT_EQ(result.out.substr(3, second - 3), result.out.substr(second + 4, second - 3));
}

TEST(ReplayDump, StateWordFollowsPrecedence) {
    GameSession session(3);
    ASSERT_TRUE(session.joinPlayers(GameKind::OnePlayer, {}));
    Player& player = *session.players[0];
    const auto state = [&] {
        const std::string line = dumpPlayer(1, player);
        const std::size_t at = line.find(" state ") + 7;
        return line.substr(at, line.find(' ', at) - at);
    };
    EXPECT_EQ(state(), "falling");
    player.rising = true;
    EXPECT_EQ(state(), "rising");
    player.collapsing = true;
    EXPECT_EQ(state(), "collapsing");
    player.clearing = true;
    EXPECT_EQ(state(), "clearing");
    player.levelShow = true;
    EXPECT_EQ(state(), "show");
    player.gameOver = true;
    EXPECT_EQ(state(), "over");
}

TEST(ReplayDump, EveryFieldInItsPlace) {
    GameSession session(3);
    ASSERT_TRUE(session.joinPlayers(GameKind::TwoPlayer, {}));
    Player& player = *session.players[1];
    player.score = 1234;
    player.level = 3;
    player.jewelsTowardLevel = 17;
    player.chainLength = 2;
    player.collapsing = true;
    player.columnX = 4;
    player.columnBottom = 77;
    player.current = 0x00363534;
    player.next = 0x00313233;
    player.rowsPending = 5;
    player.rowsToSend = 1;
    player.clearFrame = 3;
    player.collapseOffset = 14;
    player.riseOffset = 9;
    player.levelShowTicks = 42;
    player.fallPeriod = 2;
    player.fallStep = 1;
    player.fallAccumulator = 7;
    player.cells[0] = '1';
    player.cells[1] = '6' | MARK_BIT;
    player.cells[63] = '1' | MARK_BIT;
    player.cells[64] = '3';
    EXPECT_EQ(dumpPlayer(2, player),
              "P 2 score 1234 level 3 jewels 17 chain 2 state collapsing col 4 77 cur 456 next 321 pending 5 "
              "send 1 frame 3 collapse 14 rise 9 show 42 fall 2 1 7 well 1f" +
                  std::string(61, '.') + "a3");
}

TEST(ReplayScript, FastDropMovesTwoPixelsPerTickAfterTheFirst) {
    const Result result = replay("game 1 1\npress 1 fast\ntick 20\ndump\n");
    // The first fast tick has credit 10 from 0: one step, 5 left; every later one two steps.
    EXPECT_NE(result.out.find(" col 2 39 "), std::string::npos) << result.out;
    EXPECT_NE(result.out.find(" fall 5 1 5 "), std::string::npos) << result.out;
}

TEST(ReplayScript, PressesReachOnlyTheNamedPlayer) {
    const Result result = replay("game 2 1\npress 1 left\npress 2 right\npress 2 right\ntick 1\ndump\n");
    EXPECT_NE(result.out.find("P 1 score 0 level 0 jewels 0 chain 0 state falling col 1 0 "),
              std::string::npos);
    EXPECT_NE(result.out.find("P 2 score 0 level 0 jewels 0 chain 0 state falling col 4 0 "),
              std::string::npos);
}

TEST(ReplayScript, ReleaseEndsFastAfterOneTick) {
    const Result held = replay("game 1 1\npress 1 fast\ntick 1\nrelease 1 fast\ntick 1\ntick 1\ndump\n");
    // Tick 1: credit 10, one step, 5 left; tick 2: fast once more, two steps; tick 3: credit 1, 6 > 5.
    EXPECT_NE(held.out.find(" col 2 4 "), std::string::npos) << held.out;
    EXPECT_NE(held.out.find(" fall 5 1 1 "), std::string::npos) << held.out;
}

TEST(ReplayScript, CommentsBlankLinesAndCarriageReturnsAreSkipped) {
    const Result result = replay("# a comment\n\n   \ngame 1 1\r\n  # indented comment\ntick 6\r\ndump\r\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find(" col 2 1 "), std::string::npos) << result.out;
}

TEST(ReplayScript, NewGameStartsAfresh) {
    const Result once = replay("game 1 5\ntick 300\ndump\n");
    const Result twice = replay("game 2 8\npress 1 fast\ntick 900\ngame 1 5\ntick 300\ndump\n");
    EXPECT_EQ(once.out, twice.out);
}

TEST(ReplayScript, RunsTheSessionItself) {
    // The tool's trace is the session's own: the same presses and ticks give the same lines.
    const Result result = replay(
        "game 2 31\npress 1 rotate\npress 2 fast\ntick 700\npress 1 right\n"
        "press 1 fast\ntick 900\ndump\n");
    GameSession session(31);
    ASSERT_TRUE(session.joinPlayers(GameKind::TwoPlayer, {}));
    session.players[0]->keyPressed(Action::Rotate);
    session.players[1]->keyPressed(Action::Fast);
    for (int i = 0; i < 700; ++i) {
        static_cast<void>(session.tickPlayers());
    }
    session.players[0]->keyPressed(Action::Right);
    session.players[0]->keyPressed(Action::Fast);
    for (int i = 0; i < 900; ++i) {
        static_cast<void>(session.tickPlayers());
    }
    EXPECT_EQ(result.out,
              dumpPlayer(1, *session.players[0]) + "\n" + dumpPlayer(2, *session.players[1]) + "\n");
}

TEST(ReplayErrors, MalformedLinesStopTheScriptWithStatusTwo) {
    const char* const bad[] = {
        "tick 1", "dump",       "press 1 left", "game 3 1", "game 1 0", "game 1 -4", "game 1 2147483648",
        "game 1", "game 1 1 1", "game 1 x",     "jump 3",   "GAME 1 1", "game 1 +5", "game 1 99999999999",
    };
    for (const char* line : bad) {
        const Result result = replay(std::string("# header\n") + line + "\ndump\n");
        EXPECT_EQ(result.status, 2) << line;
        EXPECT_EQ(result.out, "") << line;
        EXPECT_NE(result.err.find("line 2"), std::string::npos) << line << ": " << result.err;
    }
}

TEST(ReplayErrors, MalformedCommandsAfterAGame) {
    const char* const bad[] = {"press 3 left",
                               "press 2 left",
                               "press 0 left",
                               "press 1 jump",
                               "press 1",
                               "release 1 left extra",
                               "tick",
                               "tick -1",
                               "tick 1.5",
                               "tick 2147483648",
                               "dump now",
                               "press one left",
                               "frame",
                               "frame a b",
                               "frame /nonexistent/dir/f.ppm"};
    for (const char* line : bad) {
        const Result result = replay(std::string("game 1 1\ndump\n") + line + "\ndump\n");
        EXPECT_EQ(result.status, 2) << line;
        EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 1) << line;  // only the first dump
        EXPECT_NE(result.err.find("line 3"), std::string::npos) << line << ": " << result.err;
    }
}

TEST(ReplayErrors, LargestSeedAndTickZeroAreAccepted) {
    EXPECT_EQ(replay("game 2 2147483647\ntick 0\ndump\n").status, 0);
    EXPECT_EQ(replay("").status, 0);
}

TEST(ReplayFrame, WritesTheGameWindowsPictureAsBinaryPpm) {
    const std::string path = ::testing::TempDir() + "replay-frame.ppm";
    ASSERT_EQ(replay("game 1 1\ntick 50\nframe " + path + "\n").status, 0);
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::string header = "P6\n634 455\n255\n";
    ASSERT_EQ(bytes.size(), header.size() + 634u * 455u * 3u);
    EXPECT_EQ(bytes.substr(0, header.size()), header);
    // Below the one-player background (460 rows, cut at the client's 455) nothing is left of the erase;
    // the top-left corner is the background's, not the erase colour (black).
    const auto at = [&](int x, int y) { return header.size() + (static_cast<std::size_t>(y) * 634 + x) * 3; };
    EXPECT_NE(bytes.substr(at(0, 0), 3), std::string(3, '\0'));
    std::remove(path.c_str());
}
