// A player's whole session through the menus, kept across a restart of the program: both players
// renamed (typed, and pasted with a character the fonts cannot draw, which the box drops), a key assigned,
// the sound switched off, a one-player game left with its score, and everything found again after the
// restart.
#include <gtest/gtest.h>

#include "frontend/HighScoreScreen.h"
#include "game/screens/OnePlayerGame.h"
#include "shell/GlobalResources.h"
#include "shell/Settings.h"
#include "tests/frontend/FrontEndDriver.h"
#include "tests/game/screens/PictureCheck.h"

namespace {

PixelSource frameOf(const veskar::platform::TestBackend& backend) {
    return [&backend](int x, int y) { return backend.pixel(x, y); };
}

inline constexpr char NAME_PASTED[] = "Zo\xEB";  // "Zoë" in the game's code page
inline constexpr char NAME_KEPT[] = "Zo";        // the fonts draw codes 32 to 126 only

}  // namespace

TEST(PlayerSession, NamesKeysSwitchesAndScoresSurviveARestart) {
    FrontEndDriver driver;
    driver.keys({VK_DOWN, VK_DOWN, VK_RETURN, VK_DOWN, VK_RETURN});  // Options, Player 1 Name
    driver.backend().type(driver.clock, "Ada");                      // replaces the selected old name
    driver.clock += 50;
    driver.keys({VK_RETURN, VK_DOWN, VK_DOWN, VK_RETURN});  // accept; Player 2 Name
    driver.backend().setClipboard(NAME_PASTED);
    driver.backend().keyDown(driver.clock, 'V', '\x16');  // Ctrl+V
    driver.backend().keyUp(driver.clock + 1, 'V');
    driver.clock += 50;
    driver.keys({VK_RETURN, VK_UP, VK_UP, VK_UP, VK_RETURN, VK_RETURN, 'K', VK_ESCAPE});  // Left := K
    driver.keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_ESCAPE});      // Sound: No
    driver.keys({VK_RETURN});                                                             // a game
    driver.then([] { dynamic_cast<OnePlayerGame&>(*currentScreen).players[0]->score = 3000; });
    driver.keys({VK_ESCAPE, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});  // High Scores
    bool tableShown = false;
    driver.then([&] {
        const PixelSource frame = frameOf(driver.backend());
        tableShown =
            showsText(frame, 210, 80, normalFont, "Ada") && showsText(frame, 390, 80, highlightFont, "3000");
    });
    ASSERT_EQ(driver.run(), 0);
    EXPECT_TRUE(tableShown) << "the result is third, below 8192 and 4096";

    driver.restart();
    driver.keys({VK_DOWN, VK_DOWN, VK_RETURN, VK_DOWN, VK_DOWN, VK_DOWN});  // Options, Player 2 Name
    bool nameShown = false;
    driver.then([&] { nameShown = showsText(frameOf(driver.backend()), 167, 300, normalFont, NAME_KEPT); });
    ASSERT_EQ(driver.run(), 0);
    EXPECT_TRUE(settings.loaded) << "the file written at exit verifies";
    EXPECT_STREQ(settings.record.playerNames[0].data(), "Ada");
    EXPECT_STREQ(settings.record.playerNames[1].data(), NAME_KEPT);
    EXPECT_EQ(player1Keys[0], 'K');
    EXPECT_EQ(settings.record.soundOn, 0);
    EXPECT_EQ(settings.record.highScores[2], 3000u);
    EXPECT_STREQ(settings.record.highScoreNames[2].data(), "Ada");
    EXPECT_TRUE(nameShown);
    for (const std::string& sound : driver.heard) {
        EXPECT_EQ(sound, "") << "the menus are silent with the sound switched off";
    }
}
