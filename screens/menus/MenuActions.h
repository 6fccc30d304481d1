// Building menus from actions: the switch to a new screen that most items perform, and appending
// an item that may fail to be made.
#pragma once

#include <new>

#include "screens/menus/MenuScreen.h"
#include "shell/ScreenSwitch.h"

// The action of switching to a new Next made from the arguments.
template <typename Next, typename... Arguments>
ActionItem::Action switchTo(Arguments... arguments) {
    return [arguments...](HWND window, std::unique_ptr<Screen>& currentScreen) {
        (void)switchScreen<Next>(window, currentScreen, arguments...);
    };
}

// The action of switching to a new game, which is made with the window it reports failures to.
template <typename Game>
ActionItem::Action startGame() {
    return [](HWND window, std::unique_ptr<Screen>& currentScreen) {
        (void)switchScreen<Game>(window, currentScreen, window);
    };
}

// Appends an item; false when it could not be made, which ends the building of the menu.
inline bool appendItem(MenuScreen& menu, std::unique_ptr<MenuItem> item) {
    const bool made = item != nullptr;
    menu.append(std::move(item));
    return made;
}

inline bool appendAction(MenuScreen& menu, const char* title, const char* description,
                         ActionItem::Action action) {
    return appendItem(menu, std::unique_ptr<MenuItem>(new (std::nothrow)
                                                          ActionItem(title, description, std::move(action))));
}
