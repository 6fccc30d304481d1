// Building menus from actions: the switch to a new screen that most items perform, and appending
// an item that may fail to be made.
#pragma once

#include <functional>
#include <initializer_list>
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

// Makes an item of type Item; null when it cannot be allocated.
template <typename Item, typename... Arguments>
std::unique_ptr<MenuItem> newItem(Arguments... arguments) {
    return std::unique_ptr<MenuItem>(new (std::nothrow) Item(arguments...));
}

inline std::unique_ptr<MenuItem> actionItem(const char* title, const char* description,
                                            ActionItem::Action action) {
    return newItem<ActionItem>(title, description, std::move(action));
}

// Appends an item; false when it could not be made, which ends the building of the menu.
inline bool appendItem(MenuScreen& menu, std::unique_ptr<MenuItem> item) {
    const bool made = item != nullptr;
    menu.append(std::move(item));
    return made;
}

// Makes and appends the items in order. Building stops at the first item that cannot be made: the
// menu keeps the ones before it, and the later ones are not even tried.
inline void appendItems(MenuScreen& menu,
                        std::initializer_list<std::function<std::unique_ptr<MenuItem>()>> makers) {
    for (const auto& make : makers) {
        if (!appendItem(menu, make())) {
            return;
        }
    }
}
