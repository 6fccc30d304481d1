// Game pads in the real program on the test backend's virtual pads: the menus walked by pad, games
// played by one pad and by two, held directions repeating at the keyboard's delay and rate, a pad
// pulled out pausing its game, a stick resting at the threshold, and the name box answered by pad.
#include <gtest/gtest.h>

#include "platform/core/PlatformState.h"
#include "screens/game/OnePlayerGame.h"
#include "screens/game/TwoPlayerGame.h"
#include "screens/menus/MainMenu.h"
#include "screens/menus/OptionsMenu.h"
#include "settings/Settings.h"
#include "shell/PadKeys.h"
#include "tests/screens/menus/FrontEndDriver.h"

namespace {

// Presses the pad's buttons (and holds the stick) for 60 ms, then lets go; the driver's clock moves
// on past it.
void padTap(FrontEndDriver& driver, DWORD slot, WORD buttons) {
    driver.backend().setPad(driver.clock, slot, buttons);
    driver.backend().setPad(driver.clock + 60, slot, 0);
    driver.clock += 110;
}

template <typename Shown>
Shown* showing() {
    return dynamic_cast<Shown*>(currentScreen.get());
}

std::uint32_t menuCursor() {
    return currentMenu() != nullptr ? currentMenu()->currentItem : 99;
}

}  // namespace

TEST(PadPlay, MenusAreWalkedByAnyPad) {
    FrontEndDriver driver;
    driver.backend().plugPad(0, 2);  // the third slot: in menus every pad counts
    driver.clock = 400;              // an empty slot is looked at only now and then
    padTap(driver, 2, XINPUT_GAMEPAD_DPAD_DOWN);
    padTap(driver, 2, XINPUT_GAMEPAD_DPAD_DOWN);
    std::uint32_t cursor = 0;
    driver.then([&] { cursor = menuCursor(); });
    padTap(driver, 2, XINPUT_GAMEPAD_A);  // Options
    bool options = false;
    driver.then([&] { options = showing<OptionsMenu>() != nullptr; });
    padTap(driver, 2, XINPUT_GAMEPAD_B);  // back to the main menu
    bool back = false;
    driver.then([&] { back = showing<MainMenu>() != nullptr; });
    EXPECT_EQ(driver.run(), 0);
    EXPECT_EQ(cursor, 2u);
    EXPECT_TRUE(options);
    EXPECT_TRUE(back);
}

TEST(PadPlay, AOnePlayerGameIsPlayedByPad) {
    FrontEndDriver driver;
    driver.backend().plugPad(0, 0);
    driver.clock = 400;
    padTap(driver, 0, XINPUT_GAMEPAD_A);  // 1 Player Game
    std::uint32_t start = 0;
    driver.then([&] { start = showing<OnePlayerGame>()->players[0]->columnX; });
    padTap(driver, 0, XINPUT_GAMEPAD_DPAD_LEFT);
    std::uint32_t moved = 0;
    bool paused = false;
    driver.then([&] { moved = showing<OnePlayerGame>()->players[0]->columnX; });
    padTap(driver, 0, XINPUT_GAMEPAD_START);
    driver.then([&] { paused = showing<OnePlayerGame>()->paused; });
    padTap(driver, 0, XINPUT_GAMEPAD_START);
    driver.then([] { showing<OnePlayerGame>()->players[0]->score = 5000; });
    padTap(driver, 0, XINPUT_GAMEPAD_BACK);  // leaves the game: the score enters the table
    bool menu = false;
    driver.then([&] { menu = showing<MainMenu>() != nullptr; });
    EXPECT_EQ(driver.run(), 0);
    EXPECT_EQ(moved + 1, start);
    EXPECT_TRUE(paused);
    EXPECT_TRUE(menu);
    EXPECT_EQ(settings.record.highScores[1], 5000u);
}

TEST(PadPlay, TwoPlayersPlayOnTwoPadsAndTheKeyboardStillWorks) {
    FrontEndDriver driver;
    driver.backend().plugPad(0, 0);
    driver.backend().plugPad(0, 1);
    driver.keys({VK_DOWN, VK_RETURN});  // 2 Players Game, by keyboard
    driver.clock += 300;
    driver.backend().setPad(driver.clock, 0, XINPUT_GAMEPAD_DPAD_LEFT);
    driver.backend().setPad(driver.clock, 1, 0, 30000, 0);  // the stick right
    driver.backend().setPad(driver.clock + 60, 0, 0);
    driver.backend().setPad(driver.clock + 60, 1, 0);
    driver.clock += 110;
    driver.keys({'O'});  // player 1's Left on the keyboard beside the pads
    std::uint32_t first = 0;
    std::uint32_t second = 0;
    driver.then([&] {
        first = showing<TwoPlayerGame>()->players[0]->columnX;
        second = showing<TwoPlayerGame>()->players[1]->columnX;
    });
    EXPECT_EQ(driver.run(), 0);
    EXPECT_EQ(first, 0u) << "two lefts: one by pad, one by key";
    EXPECT_EQ(second, 3u) << "right by the stick";
}

TEST(PadPlay, AHeldDirectionRepeatsAfterTheDelayAtTheRate) {
    FrontEndDriver driver;
    driver.keys({VK_DOWN, VK_DOWN, VK_RETURN});  // the options: seven items
    driver.backend().plugPad(driver.clock, 0);
    driver.clock += 300;
    const std::uint64_t pressed = driver.clock;
    driver.backend().setPad(pressed, 0, XINPUT_GAMEPAD_DPAD_DOWN);
    // Moves: the press, then a repeat once it has been held 500 ms and one every 1/30 s after, as
    // the 10 ms ticks find them due (at 500, 540, 570, 600, 640 ms), up to the last of the items.
    const std::pair<std::uint64_t, std::uint32_t> expected[] = {
        {50, 1}, {480, 1}, {530, 2}, {560, 3}, {580, 4}, {640, 5}, {700, 6},
    };
    std::vector<std::uint32_t> seen;
    for (const auto& [after, cursor] : expected) {
        driver.backend().at(pressed + after, [&seen] { seen.push_back(menuCursor()); });
    }
    driver.backend().setPad(pressed + 800, 0, 0);
    driver.clock = pressed + 900;
    EXPECT_EQ(driver.run(), 0);
    ASSERT_EQ(seen.size(), std::size(expected));
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i], expected[i].second) << expected[i].first << " ms after the press";
    }
}

TEST(PadPlay, APadPulledOutPausesItsPlayersGame) {
    FrontEndDriver driver;
    driver.backend().plugPad(0, 0);
    driver.clock = 400;  // the pad has been seen
    driver.keys({VK_RETURN});
    driver.backend().unplugPad(driver.clock, 0);
    driver.clock += 50;
    bool pausedAfterUnplug = false;
    driver.then([&] { pausedAfterUnplug = showing<OnePlayerGame>()->paused; });
    driver.backend().plugPad(driver.clock, 0);  // back: it takes its slot again, and Start resumes
    driver.clock += 300;
    padTap(driver, 0, XINPUT_GAMEPAD_START);
    bool pausedAfterStart = true;
    driver.then([&] { pausedAfterStart = showing<OnePlayerGame>()->paused; });
    EXPECT_EQ(driver.run(), 0);
    EXPECT_TRUE(pausedAfterUnplug);
    EXPECT_FALSE(pausedAfterStart);
}

TEST(PadPlay, AStickAtTheThresholdDoesNotChatter) {
    FrontEndDriver driver;
    driver.backend().plugPad(0, 0);
    driver.clock = 400;
    // Around the press threshold for 300 ms, never back within the release one: one press.
    for (int step = 0; step < 15; ++step) {
        const auto y = static_cast<SHORT>(step % 2 == 0 ? STICK_PRESS + 800 : STICK_PRESS - 800);
        driver.backend().setPad(driver.clock + 20 * static_cast<std::uint64_t>(step), 0, 0, 0,
                                static_cast<SHORT>(-y));
    }
    driver.clock += 320;
    std::uint32_t whileWavering = 0;
    driver.then([&] { whileWavering = menuCursor(); });
    driver.backend().setPad(driver.clock, 0, 0);  // released, then down again: a second press
    driver.backend().setPad(driver.clock + 50, 0, 0, 0, -30000);
    driver.backend().setPad(driver.clock + 100, 0, 0);
    driver.clock += 150;
    std::uint32_t afterSecond = 0;
    driver.then([&] { afterSecond = menuCursor(); });
    EXPECT_EQ(driver.run(), 0);
    EXPECT_EQ(whileWavering, 1u);
    EXPECT_EQ(afterSecond, 2u);
}

TEST(PadPlay, TheNameBoxTakesAAsOkAndBAsCancel) {
    for (const WORD button : {XINPUT_GAMEPAD_A, XINPUT_GAMEPAD_B}) {
        FrontEndDriver driver;
        driver.backend().plugPad(0, 0);
        driver.keys({VK_DOWN, VK_DOWN, VK_RETURN, VK_DOWN, VK_RETURN});  // Player 1 Name
        driver.backend().type(driver.clock, "Pad");
        driver.clock += 50;
        bool open = false;
        driver.then([&] { open = !veskar::platform::state().dialogs.empty(); });
        padTap(driver, 0, button);
        bool closed = false;
        driver.then(
            [&] { closed = veskar::platform::state().dialogs.empty() && showing<OptionsMenu>() != nullptr; });
        EXPECT_EQ(driver.run(), 0);
        EXPECT_TRUE(open);
        EXPECT_TRUE(closed);
        EXPECT_STREQ(settings.record.playerNames[0].data(), button == XINPUT_GAMEPAD_A ? "Pad" : "VELK");
    }
}
