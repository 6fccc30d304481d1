// The main and options menus in the real program: drawing at the menu's coordinates, navigation
// with its sounds and the sound switch, scrolling, the switches, and the screens the items open.
#include <gtest/gtest.h>

#include "screens/game/OnePlayerGame.h"
#include "screens/menus/AboutScreen.h"
#include "screens/menus/HighScoreScreen.h"
#include "screens/menus/MainMenu.h"
#include "screens/menus/OptionsMenu.h"
#include "settings/Settings.h"
#include "shell/GlobalResources.h"
#include "tests/screens/game/PictureCheck.h"
#include "tests/screens/menus/FrontEndDriver.h"

namespace {

PixelSource frameOf(const veskar::platform::TestBackend& backend) {
    return [&backend](int x, int y) { return backend.pixel(x, y); };
}

template <typename Wanted>
bool showing() {
    return dynamic_cast<Wanted*>(currentScreen.get()) != nullptr;
}

}  // namespace

TEST(MainMenu, ShowsItsItemsAndTheCurrentDescriptionAtTheMenuPositions) {
    FrontEndDriver driver;
    bool drawn = false;
    driver.then([&] {
        const PixelSource frame = frameOf(driver.backend());
        const char* const titles[] = {"1 Player Game", "2 Players Game", "Options",
                                      "High Scores",   "About",          "Exit"};
        drawn = showsText(frame, 205, 35, highlightFont, std::string("> ") + titles[0]);
        for (int row = 1; row < 6; ++row) {
            drawn =
                drawn && showsText(frame, 205, 35 + 40 * row, normalFont, std::string("  ") + titles[row]);
        }
        drawn = drawn && showsText(frame, 157, 300, normalFont, "To play a game") &&
                showsPiece(frame, 130, 215, menuBackground, 130, 215, 14, 38);  // no scroll marks
    });
    driver.keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN});
    bool exitShown = false;
    driver.then([&] {
        const PixelSource frame = frameOf(driver.backend());
        exitShown = showsText(frame, 205, 235, highlightFont, "> Exit") &&
                    showsText(frame, 157, 300, normalFont, "Never select this one");
    });
    EXPECT_EQ(driver.run(), 0);
    EXPECT_TRUE(drawn);
    EXPECT_TRUE(exitShown);
}

TEST(MainMenu, MovesPlayTheirSoundsOnlyWhenTheCursorMovesAndTheSoundIsOn) {
    using Heard = std::vector<std::string>;
    struct Case {
        std::uint8_t soundOn;
        std::initializer_list<UINT> keys;
        std::uint32_t currentItem;
        Heard heard;
    };
    const Case cases[] = {
        {1, {VK_UP}, 0, {""}},  // at the first item nothing moves
        {1, {VK_DOWN, VK_DOWN, VK_UP}, 1, {"move", "move", "move"}},
        {1,
         {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN},
         5,
         {"move", "move", "move", "move", "move", ""}},
        {1, {VK_LEFT, VK_RIGHT, 'Q'}, 0, {"", "", ""}},  // plain items do not change; other keys are ignored
        {1, {VK_DOWN, VK_DOWN, VK_RETURN, VK_ESCAPE}, 0, {"move", "move", "select", "select"}},  // in and out
        {0, {VK_DOWN, VK_DOWN, VK_RETURN}, 0, {"", "", ""}},  // sound off: silent ("Options" opened)
    };
    for (const Case& test : cases) {
        FrontEndDriver driver;
        driver.then([&] { settings.record.soundOn = test.soundOn; });
        driver.keys(test.keys);
        std::uint32_t item = 99;
        driver.then([&] { item = currentMenu()->currentItem; });
        EXPECT_EQ(driver.run(), 0);
        EXPECT_EQ(item, test.currentItem);
        EXPECT_EQ(driver.heard, test.heard);
    }
}

TEST(MainMenu, ItemsOpenTheirScreensAndEveryScreenReturns) {
    FrontEndDriver driver;
    bool opened[4] = {};
    driver.keys({VK_RETURN});
    driver.then([&] { opened[0] = showing<OnePlayerGame>(); });
    driver.keys({VK_ESCAPE, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    driver.then([&] {
        const PixelSource frame = frameOf(driver.backend());
        // Names at x 210 and scores at 390, rows 20 apart from y 40.
        opened[1] = showing<HighScoreScreen>() && showsText(frame, 210, 40, normalFont, "TAMBLE") &&
                    showsText(frame, 390, 40, highlightFont, "8192") &&
                    showsText(frame, 210, 220, normalFont, "ORVENTHALIS") &&
                    showsText(frame, 390, 220, highlightFont, "16");
    });
    driver.keys({'Z', VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    driver.then([&] {
        opened[2] =
            showing<AboutScreen>() && showsText(frameOf(driver.backend()), 260, 50, highlightFont, "VESKAR");
    });
    driver.keys({VK_ESCAPE});
    driver.then([&] { opened[3] = showing<MainMenu>() && currentMenu()->currentItem == 0; });
    EXPECT_EQ(driver.run(), 0);
    EXPECT_TRUE(opened[0]) << "1 Player Game";
    EXPECT_TRUE(opened[1]) << "High Scores";
    EXPECT_TRUE(opened[2]) << "About, after any key left the table";
    EXPECT_TRUE(opened[3]) << "any key leaves the about screen for a new main menu";
}

TEST(MainMenu, ExitAndEscapeEndTheProgram) {
    for (const bool byEscape : {false, true}) {
        FrontEndDriver driver;
        if (byEscape) {
            driver.keys({VK_ESCAPE});
        } else {
            driver.keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
        }
        const std::uint64_t ended = driver.clock;
        EXPECT_EQ(driver.run(), 0);
        EXPECT_LE(driver.backend().now(), ended) << "ended before the close request";
        EXPECT_FALSE(currentScreen);
    }
}

TEST(OptionsMenu, ScrollsToBackWithItsMarksAndSplitsLongDescriptions) {
    FrontEndDriver driver;
    driver.keys({VK_DOWN, VK_DOWN, VK_RETURN});  // Options
    bool atTop = false;
    driver.then([&] {
        const PixelSource frame = frameOf(driver.backend());
        atTop = showing<OptionsMenu>() && showsText(frame, 205, 35, highlightFont, "> Player 1 Keys") &&
                showsText(frame, 130, 215, normalFont, "\x7F") &&
                showsText(frame, 130, 235, highlightFont, "\x80");
    });
    driver.keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN});  // Music
    bool split = false;
    driver.then([&] {
        const PixelSource frame = frameOf(driver.backend());
        split = showsText(frame, 167, 300, normalFont, "Enable/Disable music  ") &&
                showsText(frame, 167, 330, normalFont, "Exit to update");
    });
    driver.keys({VK_DOWN, VK_DOWN});  // Back, scrolled into view
    bool scrolled = false;
    driver.then([&] {
        const PixelSource frame = frameOf(driver.backend());
        scrolled = currentMenu()->firstVisible == 1 &&
                   showsText(frame, 205, 35, normalFont, "  Player 1 Name") &&
                   showsText(frame, 205, 235, highlightFont, "> Back") &&
                   showsText(frame, 130, 215, highlightFont, "\x7F") &&
                   showsText(frame, 130, 235, normalFont, "\x80");
    });
    driver.keys({VK_ESCAPE});
    bool back = false;
    driver.then([&] { back = showing<MainMenu>(); });
    EXPECT_EQ(driver.run(), 0);
    EXPECT_TRUE(atTop);
    EXPECT_TRUE(split);
    EXPECT_TRUE(scrolled);
    EXPECT_TRUE(back) << "Escape in the options returns to the main menu";
}

TEST(OptionsMenu, SwitchesFlipWithEnterLeftAndRight) {
    FrontEndDriver driver;
    driver.then([] { settings.record.soundOn = 0; });
    driver.keys({VK_DOWN, VK_DOWN, VK_RETURN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN});  // Sound
    bool showsNo = false;
    driver.then(
        [&] { showsNo = showsText(frameOf(driver.backend()), 205, 235, highlightFont, "> Sound: No"); });
    driver.keys({VK_RIGHT});
    bool showsYes = false;
    driver.then(
        [&] { showsYes = showsText(frameOf(driver.backend()), 205, 235, highlightFont, "> Sound: Yes"); });
    driver.keys({VK_UP, VK_RETURN, VK_LEFT, VK_RETURN});  // Music: off, on, off
    EXPECT_EQ(driver.run(), 0);
    EXPECT_TRUE(showsNo);
    EXPECT_TRUE(showsYes);
    ASSERT_EQ(driver.heard.size(), 13u);
    EXPECT_EQ(driver.heard[8], "select") << "the switch is on when the sound plays";
    EXPECT_EQ(driver.heard[10], "select") << "Enter on a switch";
    EXPECT_EQ(settings.record.soundOn, 1);
    EXPECT_EQ(settings.record.musicOn, 0);
}
