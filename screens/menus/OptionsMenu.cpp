// The options menu's items.
#include "screens/menus/OptionsMenu.h"

#include <functional>

#include "screens/menus/KeyMenu.h"
#include "screens/menus/MainMenu.h"
#include "screens/menus/MenuActions.h"
#include "screens/menus/NameItem.h"
#include "screens/menus/ToggleItem.h"
#include "settings/Settings.h"

namespace {

inline constexpr std::int32_t BACK_ITEM = 6;
inline constexpr std::uint32_t PLAYER_1_NAME = 1;
inline constexpr std::uint32_t PLAYER_2_NAME = 3;

}  // namespace

OptionsMenu::OptionsMenu() : MenuScreen(MENU_ROWS) {
    layout = OPTIONS_MENU_LAYOUT;
    appendItems(*this, {
                           [] {
                               return actionItem("Player 1 Keys", "Change keys",
                                                 switchTo<KeyMenu>(std::ref(player1Keys)));
                           },
                           [] { return newItem<NameItem>("Player 1 Name", PlayerNumber::One); },
                           [] {
                               return actionItem("Player 2 Keys", "Change keys",
                                                 switchTo<KeyMenu>(std::ref(player2Keys)));
                           },
                           [] { return newItem<NameItem>("Player 2 Name", PlayerNumber::Two); },
                           [] { return newItem<MusicToggleItem>(); },
                           [] { return newItem<SoundToggleItem>(); },
                           [] { return actionItem("Back", "Previous menu", switchTo<MainMenu>()); },
                       });
    if (itemCount >= BACK_ITEM) {
        cancelItem = BACK_ITEM;
    }
    showNames();
}

void OptionsMenu::showNames() {
    const std::pair<std::uint32_t, std::size_t> nameItems[] = {{PLAYER_1_NAME, 0}, {PLAYER_2_NAME, 1}};
    for (const auto& [index, player] : nameItems) {
        if (index < itemCount) {
            char name[NAME_FIELD_SIZE];
            copyName(settings.record.playerNames[player], name, sizeof name);
            copyMenuText(items[index]->description, name);
        }
    }
}

int OptionsMenu::draw(HWND window, WPARAM wParam, LPARAM lParam, HDC offscreen,
                      std::unique_ptr<Screen>& currentScreen) {
    showNames();
    return MenuScreen::draw(window, wParam, lParam, offscreen, currentScreen);
}
