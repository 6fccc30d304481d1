// Whole games in the real program on the test backend: started from the first screen with keys,
// played with the players' keys on the virtual clock, and checked in the presented frames.
#include <gtest/gtest.h>

#include "platform/testing/TestBackend.h"
#include "screens/game/OnePlayerGame.h"
#include "screens/game/TwoPlayerGame.h"
#include "screens/menus/MainMenu.h"
#include "settings/Settings.h"
#include "shell/GlobalResources.h"
#include "shell/ShellState.h"
#include "tests/game/WellText.h"
#include "tests/screens/game/PictureCheck.h"
#include "tests/support/ScratchFolder.h"

using veskar::platform::TestBackend;

namespace {

int runGame() {
    return WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
}

template <typename Game>
Game* currentGame() {
    return dynamic_cast<Game*>(currentScreen.get());
}

PixelSource framePixels(const TestBackend& backend) {
    return [&backend](int x, int y) { return backend.pixel(x, y); };
}

// A landing on the floor of column 2 that completes "111" in the bottom row.
void setUpOneMatch(Player& player) {
    setWell(player, {"11..."});
    player.current = 0x00333231;  // bottom '1'
    player.columnX = 2;
}

class GameScreens : public ::testing::Test {
  protected:
    void SetUp() override {
        backend = &TestBackend::reset();
        settings.loadDefaults();
    }
    ScratchFolder folder;  // the settings file each run writes stays out of the way
    TestBackend* backend = nullptr;
};

}  // namespace

TEST_F(GameScreens, OnePlayerGameShowsWellNextColumnAndPanelAndTakesKeys) {
    backend->tap(100, VK_RETURN);
    bool started = false;
    std::uint32_t columnBefore = 0;
    backend->at(150, [&] {
        OnePlayerGame* game = currentGame<OnePlayerGame>();
        started = game != nullptr;
        if (started) {
            setWell(*game->players[0], {"12..."});
            columnBefore = game->players[0]->columnX;
        }
    });
    backend->tap(160, 'O');  // player 1's Left
    bool pictureRight = false;
    std::uint32_t columnAfter = 0;
    backend->at(400, [&] {
        const Player& player = *currentGame<OnePlayerGame>()->players[0];
        columnAfter = player.columnX;
        const PixelSource frame = framePixels(*backend);
        pictureRight = showsJewel(frame, 140, 15 + 384, jewelSprites[0]) &&
                       showsJewel(frame, 172, 15 + 384, jewelSprites[1]) &&
                       showsJewel(frame, 65, 144, jewelSprites[tripleJewel(player.next, 0) - '1']) &&
                       showsJewel(frame, 65, 112, jewelSprites[tripleJewel(player.next, 1) - '1']) &&
                       showsJewel(frame, 65, 80, jewelSprites[tripleJewel(player.next, 2) - '1']) &&
                       showsText(frame, 58, 192, normalFont, "Next") &&
                       showsText(frame, 326, 105, normalFont, "VELK") &&
                       showsText(frame, 326, 140, normalFont, "Level:") &&
                       showsText(frame, 426, 140, highlightFont, "1") &&
                       showsText(frame, 326, 170, highlightFont, "0") &&
                       showsText(frame, 426, 230, highlightFont, "8192");
    });
    backend->requestClose(500);
    EXPECT_EQ(runGame(), 0);
    EXPECT_TRUE(started);
    EXPECT_EQ(columnAfter + 1, columnBefore);
    EXPECT_TRUE(pictureRight);
}

TEST_F(GameScreens, LandingAndMatchSoundAtTheTickTheColumnLands) {
    backend->tap(100, VK_RETURN);
    backend->at(150, [&] { setUpOneMatch(*currentGame<OnePlayerGame>()->players[0]); });
    backend->keyDown(160, 'A');  // Fast, held
    int landedAt = -1;
    int landSoundAt = -1;
    int matchSoundAt = -1;
    for (int time = 165; time < 3000; time += 10) {
        backend->at(time, [&, time] {
            const OnePlayerGame* game = currentGame<OnePlayerGame>();
            if (landedAt < 0 && game->players[0]->cellAt(2, 12) != EMPTY_CELL) {
                landedAt = time;
            }
            if (landSoundAt < 0 && game->soundRequests(GameSound::Land) > 0) {
                landSoundAt = time;
            }
            if (matchSoundAt < 0 && game->soundRequests(GameSound::Match) > 0) {
                matchSoundAt = time;
            }
        });
    }
    backend->requestClose(3000);
    EXPECT_EQ(runGame(), 0);
    ASSERT_GT(landedAt, 0);
    EXPECT_EQ(landSoundAt, landedAt);
    EXPECT_EQ(matchSoundAt, landedAt) << "the landing's scan finds the run at once";
}

TEST_F(GameScreens, PauseFreezesThePictureAndIgnoresPressesButNotReleases) {
    backend->tap(100, VK_RETURN);
    backend->keyDown(150, 'A');
    backend->tap(200, VK_PAUSE);
    int presentsAtPause = 0;
    std::uint32_t bottomAtPause = 0;
    std::vector<std::uint32_t> frameAtPause;
    backend->at(250, [&] {
        presentsAtPause = backend->presentCount();
        frameAtPause = backend->frame();
        bottomAtPause = currentGame<OnePlayerGame>()->players[0]->columnBottom;
    });
    backend->tap(300, 'O');
    backend->keyUp(350, 'A');
    bool frozen = false;
    std::int32_t fastReleases = 0;
    std::uint32_t column = 0;
    backend->at(900, [&] {
        const Player& player = *currentGame<OnePlayerGame>()->players[0];
        frozen = backend->presentCount() == presentsAtPause && backend->frame() == frameAtPause &&
                 player.columnBottom == bottomAtPause;
        fastReleases = player.releaseCount[Action::Fast];
        column = player.columnX;
    });
    backend->tap(1000, VK_PAUSE);
    std::uint32_t bottomAfter = 0;
    backend->at(1500, [&] { bottomAfter = currentGame<OnePlayerGame>()->players[0]->columnBottom; });
    backend->requestClose(1600);
    EXPECT_EQ(runGame(), 0);
    EXPECT_TRUE(frozen);
    EXPECT_EQ(column, 2u) << "a press while paused is ignored";
    EXPECT_EQ(fastReleases, -1) << "a release while paused still counts";
    EXPECT_GT(bottomAfter, bottomAtPause);
}

TEST_F(GameScreens, TwoPlayerChainSendsARowThatRisesIntoTheOtherWell) {
    backend->tap(100, VK_DOWN);
    backend->tap(120, VK_RETURN);
    bool sameNext = false;
    backend->at(200, [&] {
        TwoPlayerGame* game = currentGame<TwoPlayerGame>();
        const PixelSource frame = framePixels(*backend);
        // The next boxes at (4, 46) and (567, 46) show their columns from y 76 to 172.
        sameNext = game->players[0]->next == game->players[1]->next;
        for (int y = 76; y < 172; ++y) {
            for (int x = 0; x < 32; ++x) {
                sameNext = sameNext && frame(19 + x, y) == frame(582 + x, y);
            }
        }
        sameNext = sameNext &&
                   showsJewel(frame, 19, 140, jewelSprites[tripleJewel(game->players[0]->next, 0) - '1']);
        // A two-scan cascade for player 1: a vertical run whose clearing drops a jewel into a second run.
        Player& left = *game->players[0];
        setWell(left, {"2....", "1....", "1....", "122.."});
        left.current = 0x00333331;  // bottom '1'
        left.columnX = 0;
    });
    backend->keyDown(210, 'A');  // player 1's Fast
    std::uint32_t pending = 0;
    backend->at(2500, [&] {
        TwoPlayerGame* game = currentGame<TwoPlayerGame>();
        pending = game->players[1]->rowsPending;
        setWell(*game->players[1], {});
    });
    backend->keyDown(2510, VK_DOWN);  // player 2's Fast
    bool risen = false;
    backend->at(6000, [&] {
        const Player& right = *currentGame<TwoPlayerGame>()->players[1];
        const PixelSource frame = framePixels(*backend);
        risen = right.rowsPending == 0;
        for (std::uint32_t x = 0; x < 5; ++x) {
            const std::uint8_t code = right.cellAt(x, 12);
            risen = risen && code != EMPTY_CELL &&
                    showsJewel(frame, 399 + 32 * static_cast<int>(x), 16 + 384,
                               jewelSprites[(code & 0x7F) - '1']);
        }
    });
    backend->requestClose(6100);
    EXPECT_EQ(runGame(), 0);
    EXPECT_TRUE(sameNext) << "both players are shown the same next column";
    EXPECT_EQ(pending, 1u) << "a chain of two sends one row";
    EXPECT_TRUE(risen) << "the row is pushed in at player 2's landing and drawn in place";
}

TEST_F(GameScreens, LeavingAOnePlayerGameEntersItsScore) {
    backend->tap(100, VK_RETURN);
    backend->at(150, [&] { currentGame<OnePlayerGame>()->players[0]->score = 5000; });
    backend->tap(200, VK_RETURN);  // not over yet: a key like any other
    bool stillPlaying = false;
    backend->at(250, [&] { stillPlaying = currentGame<OnePlayerGame>() != nullptr; });
    backend->tap(300, VK_ESCAPE);
    bool backAtFirstScreen = false;
    backend->at(400, [&] { backAtFirstScreen = dynamic_cast<MainMenu*>(currentScreen.get()) != nullptr; });
    backend->requestClose(500);
    EXPECT_EQ(runGame(), 0);
    EXPECT_TRUE(stillPlaying);
    EXPECT_TRUE(backAtFirstScreen);
    EXPECT_EQ(settings.record.highScores[1], 5000u);
    EXPECT_STREQ(settings.record.highScoreNames[1].data(), "VELK");
    EXPECT_EQ(settings.record.highScores[2], 4096u);
    EXPECT_EQ(settings.record.highScores[9], 32u) << "the tenth entry drops out";
}
