// A player's key menu: the four actions with the keys assigned now, each reassigned through the
// key-capture overlay, and "Back" to a new options menu.
#pragma once

#include <array>

#include "game/KeyBindings.h"
#include "screens/menus/MenuScreen.h"

// One action's binding: shows "Left: O key", and while being changed the bare label with the key
// assigned now in the description.
class KeyBindingItem final : public MenuItem {
  public:
    // Shows and changes the action's key in `keys`, which must outlive the item.
    KeyBindingItem(const char* label, KeyBindings& keys, Action action);

    // Opens the capture overlay over the live key menu.
    void activate(HWND window, std::unique_ptr<Screen>& currentScreen) override;
    // Rebuilds title and description from the binding; an unassignable code shows the bare label.
    void refresh(bool beingChanged);

    MenuText label{};
    KeyBindings& keys;
    Action action;
};

class KeyMenu final : public MenuScreen {
  public:
    // Works on one player's working key bindings, which must outlive the menu.
    explicit KeyMenu(KeyBindings& keys);

    // Refreshes the binding items (the activated one as being changed), then draws the menu.
    int draw(HWND window, WPARAM wParam, LPARAM lParam, HDC offscreen,
             std::unique_ptr<Screen>& currentScreen) override;

  private:
    std::array<KeyBindingItem*, ACTION_COUNT> bindingItems{};  // the first items, owned by the list
    std::size_t bindingItemCount = 0;
};
