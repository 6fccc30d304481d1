// Key assignment in the real program: the key menus' names, the capture overlay, and a game played
// with the key assigned.
#include <gtest/gtest.h>

#include "screens/game/OnePlayerGame.h"
#include "screens/menus/KeyCaptureScreen.h"
#include "screens/menus/KeyMenu.h"
#include "screens/menus/KeyNames.h"
#include "screens/menus/OptionsMenu.h"
#include "settings/Settings.h"
#include "shell/GlobalResources.h"
#include "tests/screens/game/PictureCheck.h"
#include "tests/screens/menus/FrontEndDriver.h"

namespace {

PixelSource frameOf(const veskar::platform::TestBackend& backend) {
    return [&backend](int x, int y) { return backend.pixel(x, y); };
}

// Item text of the key menus starts at x 185; their five rows lie from y 55, 40 apart.
bool showsKeyLine(const veskar::platform::TestBackend& backend, int row, const BitmapFont& font,
                  const char* line) {
    return showsText(frameOf(backend), 185, 55 + 40 * row, font, line);
}

template <typename Wanted>
bool showing(const FrontEndDriver&) {
    return dynamic_cast<Wanted*>(currentScreen.get()) != nullptr;
}

}  // namespace

TEST(KeyNames, NamesEveryCodeByItsLowSevenBits) {
    const std::pair<std::uint32_t, const char*> named[] = {
        {0, "No Key"},     {8, "Backspace"},          {'0', "0 key"},
        {'Z', "Z key"},    {96, "Numpad 0"},          {108, "Separator"},
        {111, "Numpad /"}, {112, "F1 Key"},           {123, "F12 Key"},
        {144, "Shift"},    {37 + 128, "Left cursor"},
    };
    for (const auto& [code, name] : named) {
        EXPECT_STREQ(keyName(code).name, name) << code;
        EXPECT_TRUE(keyName(code).assignable) << code;
    }
    for (const std::uint32_t code : {3u, 10u, 41u, 47u, 58u, 64u, 91u, 95u, 124u, 127u}) {
        EXPECT_STREQ(keyName(code).name, "Incorrect") << code;
        EXPECT_FALSE(keyName(code).assignable) << code;
    }
}

TEST(KeyMenu, ShowsEachPlayersKeysByName) {
    FrontEndDriver driver;
    driver.keys({VK_DOWN, VK_DOWN, VK_RETURN, VK_RETURN});  // Options, Player 1 Keys
    bool first = false;
    driver.then([&] {
        first = showing<KeyMenu>(driver) &&
                showsKeyLine(driver.backend(), 0, highlightFont, "> Left: O key") &&
                showsKeyLine(driver.backend(), 1, normalFont, "  Right: P key") &&
                showsKeyLine(driver.backend(), 2, normalFont, "  Fast: A key") &&
                showsKeyLine(driver.backend(), 3, normalFont, "  Rotate: X key") &&
                showsKeyLine(driver.backend(), 4, normalFont, "  Back");
    });
    driver.keys({VK_ESCAPE, VK_DOWN, VK_DOWN, VK_RETURN});  // a new options menu, Player 2 Keys
    bool second = false;
    driver.then([&] {
        second = showsKeyLine(driver.backend(), 0, highlightFont, "> Left: Left cursor") &&
                 showsKeyLine(driver.backend(), 2, normalFont, "  Fast: Down cursor") &&
                 showsKeyLine(driver.backend(), 3, normalFont, "  Rotate: Up cursor");
    });
    EXPECT_EQ(driver.run(), 0);
    EXPECT_TRUE(first);
    EXPECT_TRUE(second);
}

TEST(KeyMenu, CapturedKeyIsAssignedAndPlays) {
    FrontEndDriver driver;
    driver.keys({VK_DOWN, VK_DOWN, VK_RETURN, VK_RETURN, VK_RETURN});  // Player 1 Keys, capture for Left
    bool capturing = false;
    driver.then([&] {
        capturing = dynamic_cast<KeyCaptureScreen*>(currentScreen.get()) != nullptr &&
                    showsKeyLine(driver.backend(), 0, highlightFont, "> Left") &&
                    showsText(frameOf(driver.backend()), 157, 300, normalFont, "O key");
    });
    driver.keys({91, 'K'});  // an unassignable code is ignored; K is taken
    bool assigned = false;
    driver.then([&] {
        assigned = showing<KeyMenu>(driver) && player1Keys[Action::Left] == 'K' &&
                   showsKeyLine(driver.backend(), 0, highlightFont, "> Left: K key");
    });
    driver.keys({VK_RETURN, VK_ESCAPE});             // capture again, Escape keeps K
    driver.keys({VK_ESCAPE, VK_ESCAPE, VK_RETURN});  // options, main menu, 1 Player Game
    std::uint32_t columnBefore = 0;
    driver.then([&] { columnBefore = dynamic_cast<OnePlayerGame&>(*currentScreen).players[0]->columnX; });
    driver.keys({'K', 'O'});  // K moves left now; O is no key of the player any more
    std::uint32_t columnAfter = 0;
    driver.then([&] { columnAfter = dynamic_cast<OnePlayerGame&>(*currentScreen).players[0]->columnX; });
    EXPECT_EQ(driver.run(), 0);
    EXPECT_TRUE(capturing);
    EXPECT_TRUE(assigned);
    EXPECT_EQ(player1Keys[Action::Left], 'K');
    EXPECT_EQ(columnAfter + 1, columnBefore);
}
