// Every way the program can be ended while a player uses it, on every kind of screen: the signals of
// a closed terminal, Ctrl+C and a logout, and the window's close box. Each ends the program in its
// own order with status 0; a running one-player game enters its score as Escape would; a box open
// at that moment is cancelled first; and every change made before is in the settings file, saved
// the moment it was made.
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <initializer_list>

#include "game/screens/OnePlayerGame.h"
#include "platform/core/EndingSignals.h"
#include "shell/Settings.h"
#include "tests/frontend/FrontEndDriver.h"
#include "tests/shell/SettingsFiles.h"

namespace {

inline constexpr int CLOSE_BOX = 0;  // not a signal: the window manager's close request

class EveryWayOfEnding : public ::testing::Test {
  protected:
    void SetUp() override { veskar::platform::catchEndingSignals(); }
    void TearDown() override {
        for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
            std::signal(signalNumber, SIG_DFL);
        }
    }
};

void setScore(std::uint32_t score) {
    dynamic_cast<OnePlayerGame&>(*currentScreen).players[0]->score = score;
}

}  // namespace

TEST_F(EveryWayOfEnding, EachEndsInOrderOnEveryKindOfScreenAndKeepsTheGame) {
    struct Screen {
        const char* what;
        std::initializer_list<UINT> keys;
        bool game;  // a one-player game runs: its score of 5000 must enter the table
    };
    const Screen screens[] = {
        {"the main menu", {}, false},
        {"a one-player game", {VK_RETURN}, true},
        {"the name box", {VK_DOWN, VK_DOWN, VK_RETURN, VK_DOWN, VK_RETURN}, false},
        {"the key capture", {VK_DOWN, VK_DOWN, VK_RETURN, VK_RETURN, VK_RETURN}, false},
        {"the high scores", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, false},
    };
    for (const int ending : {SIGTERM, SIGINT, SIGHUP, CLOSE_BOX}) {
        for (const Screen& screen : screens) {
            FrontEndDriver driver;
            driver.keys(screen.keys);
            driver.backend().type(driver.clock, "NEW");  // in the name box: not stored, the box is cancelled
            driver.clock += 50;
            if (screen.game) {
                driver.then([] { setScore(5000); });
            }
            if (ending == CLOSE_BOX) {
                driver.backend().requestClose(driver.clock);
                driver.clock += 50;
            } else {
                driver.then([ending] { std::raise(ending); });
            }
            bool reachedAfter = false;
            driver.then([&] { reachedAfter = true; });
            const std::string what = std::string(screen.what) + " ended by " + std::to_string(ending);
            EXPECT_EQ(driver.run(), 0) << what;
            EXPECT_FALSE(reachedAfter) << what << ": the program ended at once";
            const Bytes file = readBytes("VESKAR.INI");
            EXPECT_TRUE(digestVerifies(file)) << what;
            EXPECT_STREQ(reinterpret_cast<const char*>(&file[40]), "VELK") << what;
            const std::uint32_t second = file[336] | file[337] << 8 | file[338] << 16;
            EXPECT_EQ(second, screen.game ? 5000u : 4096u) << what << ": the running game's score";
        }
    }
}

TEST_F(EveryWayOfEnding, AGameOverEntersItsScoreWhenTheWindowCloses) {
    FrontEndDriver driver;
    driver.keys({VK_RETURN});
    driver.then([] {
        auto& player = *dynamic_cast<OnePlayerGame&>(*currentScreen).players[0];
        player.score = 22520;
        player.gameOver = true;
    });
    driver.backend().requestClose(driver.clock);
    EXPECT_EQ(driver.run(), 0);
    EXPECT_EQ(settings.record.highScores[0], 22520u) << "a new best";
    EXPECT_EQ(readBytes("VESKAR.INI")[332], 22520 & 0xFF);
}

TEST_F(EveryWayOfEnding, EveryChangeIsInTheFileTheMomentItIsMade) {
    struct Step {
        const char* what;
        std::function<void(FrontEndDriver&)> act;
        std::size_t offset;  // where the file shows it
        std::uint8_t value;
    };
    const Step steps[] = {
        {"a name",
         [](FrontEndDriver& driver) {
             driver.keys({VK_DOWN, VK_DOWN, VK_RETURN, VK_DOWN, VK_RETURN});
             driver.backend().type(driver.clock, "Ada");
             driver.clock += 50;
             driver.keys({VK_RETURN});
         },
         40, 'A'},
        {"a key",
         [](FrontEndDriver& driver) {
             driver.keys({VK_UP, VK_RETURN, VK_RETURN, 'K', VK_ESCAPE});
         },
         152, 'K'},
        {"a switch",
         [](FrontEndDriver& driver) {
             driver.keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT});
         },
         372, 0},
        {"a score",
         [](FrontEndDriver& driver) {
             driver.keys({VK_ESCAPE, VK_RETURN});
             driver.then([] { setScore(5000); });
             driver.keys({VK_ESCAPE});
         },
         336, 5000 & 0xFF},  // second place, below 8192
    };
    FrontEndDriver driver;
    std::vector<Bytes> seen;
    for (const Step& step : steps) {
        step.act(driver);
        driver.then([&] { seen.push_back(readBytes("VESKAR.INI")); });
    }
    driver.then([] { std::raise(SIGTERM); });
    EXPECT_EQ(driver.run(), 0);
    ASSERT_EQ(seen.size(), std::size(steps));
    for (std::size_t i = 0; i < seen.size(); ++i) {
        ASSERT_EQ(seen[i].size(), RECORD_SIZE) << steps[i].what;
        EXPECT_TRUE(digestVerifies(seen[i])) << steps[i].what;
        EXPECT_EQ(seen[i][steps[i].offset], steps[i].value)
            << steps[i].what << " saved before the program ended";
    }
}
