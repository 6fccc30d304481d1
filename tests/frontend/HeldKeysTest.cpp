// Keys held across a change of screen, with the desktop's auto-repeat running: what the key did on
// the screen it was pressed on is all it does until it is released and pressed again. Within one
// screen a held key still repeats.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <vector>

#include "frontend/AboutScreen.h"
#include "frontend/HighScoreScreen.h"
#include "frontend/KeyCaptureScreen.h"
#include "frontend/MainMenu.h"
#include "game/screens/OnePlayerGame.h"
#include "platform/core/PlatformState.h"
#include "shell/Settings.h"
#include "tests/frontend/FrontEndDriver.h"

namespace {

inline constexpr std::uint64_t REPEAT_DELAY = 500;  // milliseconds, as desktops have it
inline constexpr std::uint64_t REPEAT_GAP = 40;
inline constexpr std::uint64_t HELD_FOR = 1200;

// Presses the key and holds it, the desktop repeating it, then lets it go.
void hold(FrontEndDriver& driver, UINT key) {
    auto& backend = driver.backend();
    backend.keyDown(driver.clock, key);
    for (std::uint64_t at = REPEAT_DELAY; at < HELD_FOR; at += REPEAT_GAP) {
        backend.keyRepeat(driver.clock + at, key);
    }
    backend.keyUp(driver.clock + HELD_FOR, key);
    driver.clock += HELD_FOR + 50;
}

template <typename Shown>
bool showing() {
    return dynamic_cast<Shown*>(currentScreen.get()) != nullptr;
}

}  // namespace

TEST(HeldKeys, AKeyHeldIntoTheNextScreenWaitsForItsNextPress) {
    struct Case {
        const char* what;
        std::initializer_list<UINT> before;  // taps that lead to the screen where the key is held
        UINT held;
        std::function<bool()> after;  // what must be true once it is let go
    };
    const Case cases[] = {
        {"Escape leaving the options", {VK_DOWN, VK_DOWN, VK_RETURN}, VK_ESCAPE, showing<MainMenu>},
        {"Escape leaving the high scores",
         {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN},
         VK_ESCAPE,
         showing<MainMenu>},
        {"Escape leaving the about screen",
         {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN},
         VK_ESCAPE,
         showing<MainMenu>},
        {"Escape leaving a game", {VK_RETURN}, VK_ESCAPE, showing<MainMenu>},
        {"Enter on High Scores", {VK_DOWN, VK_DOWN, VK_DOWN}, VK_RETURN, showing<HighScoreScreen>},
        {"Enter on About", {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN}, VK_RETURN, showing<AboutScreen>},
        {"Enter on a key item",
         {VK_DOWN, VK_DOWN, VK_RETURN, VK_RETURN},
         VK_RETURN,
         [] { return showing<KeyCaptureScreen>() && player1Keys[0] == 'O'; }},
        {"Enter on a name item",
         {VK_DOWN, VK_DOWN, VK_RETURN, VK_DOWN},
         VK_RETURN,
         [] { return !veskar::platform::state().dialogs.empty(); }},
    };
    for (const Case& test : cases) {
        FrontEndDriver driver;
        driver.keys(test.before);
        hold(driver, test.held);
        bool held = false;
        bool running = false;
        driver.then([&] {
            held = test.after();
            running = driver.backend().windowOpen();
        });
        EXPECT_EQ(driver.run(), 0) << test.what;
        EXPECT_TRUE(held) << test.what;
        EXPECT_TRUE(running) << test.what << ": the game did not end";
    }
}

TEST(HeldKeys, PressedAgainTheKeyActs) {
    FrontEndDriver driver;
    driver.keys({VK_DOWN, VK_DOWN, VK_RETURN});  // the options
    hold(driver, VK_ESCAPE);                     // back to the main menu, and no further
    bool stillRunning = false;
    driver.then([&] { stillRunning = driver.backend().windowOpen(); });
    driver.keys({VK_ESCAPE});  // the main menu's Escape: Exit
    bool reachedAfter = false;
    driver.then([&] { reachedAfter = true; });
    EXPECT_EQ(driver.run(), 0);
    EXPECT_TRUE(stillRunning);
    EXPECT_FALSE(reachedAfter) << "the new press of Escape ended the program";
}

TEST(HeldKeys, WithinAGameAHeldKeyActsOncePerRepeat) {
    FrontEndDriver driver;
    driver.keys({VK_RETURN});
    std::uint32_t column = 99;
    hold(driver, 'O');  // player 1's Left: from the middle to the left wall in a few repeats
    driver.then([&] { column = dynamic_cast<OnePlayerGame&>(*currentScreen).players[0]->columnX; });
    EXPECT_EQ(driver.run(), 0);
    EXPECT_EQ(column, 0u);
}
