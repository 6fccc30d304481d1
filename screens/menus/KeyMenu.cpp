// The key menu and its binding items.
#include "screens/menus/KeyMenu.h"

#include <new>

#include "screens/menus/KeyCaptureScreen.h"
#include "screens/menus/KeyNames.h"
#include "screens/menus/MenuActions.h"
#include "screens/menus/OptionsMenu.h"
#include "shell/ErrorTable.h"

namespace {
inline constexpr std::int32_t BACK_ITEM = 4;
inline constexpr std::array<const char*, ACTION_COUNT> ACTION_LABELS{"Left", "Right", "Fast", "Rotate"};
}  // namespace

KeyBindingItem::KeyBindingItem(const char* labelText, KeyBindings& boundKeys, Action boundAction)
    : MenuItem(labelText, ""), keys(boundKeys), action(boundAction) {
    copyMenuText(label, labelText);
    refresh(false);
}

void KeyBindingItem::refresh(bool beingChanged) {
    const KeyName key = keyName(static_cast<std::uint32_t>(keys[action]));
    if (!key.assignable) {
        copyMenuText(title, label.data());
    } else if (!beingChanged) {
        joinMenuText(title, {label.data(), ": ", key.name});
        copyMenuText(description, "Change assigned key");
    } else {
        copyMenuText(title, label.data());
        copyMenuText(description, key.name);
    }
}

void KeyBindingItem::activate(HWND window, std::unique_ptr<Screen>& currentScreen) {
    currentScreen->invalidate(window, 1);
    auto* overlay = new (std::nothrow) KeyCaptureScreen(&keys, action);
    if (overlay == nullptr) {
        reportError(window, ERR_OUT_OF_MEMORY);  // the key menu stays current
        return;
    }
    overlay->menu = std::move(currentScreen);
    currentScreen.reset(overlay);
}

KeyMenu::KeyMenu(KeyBindings& keys) : MenuScreen(MENU_ROWS) {
    layout = KEY_MENU_LAYOUT;
    for (const Action action : ACTIONS) {
        auto* item =
            new (std::nothrow) KeyBindingItem(ACTION_LABELS[static_cast<std::size_t>(action)], keys, action);
        if (!appendItem(*this, std::unique_ptr<MenuItem>(item))) {
            break;  // the menu keeps the items made so far
        }
        bindingItems[bindingItemCount++] = item;
    }
    if (bindingItemCount == ACTION_COUNT) {
        appendItems(*this, {[] { return actionItem("Back", "Previous menu", switchTo<OptionsMenu>()); }});
    }
    if (itemCount > 3) {
        cancelItem = BACK_ITEM;
    }
}

int KeyMenu::draw(HWND window, WPARAM wParam, LPARAM lParam, HDC offscreen,
                  std::unique_ptr<Screen>& currentScreen) {
    // Every item but the last ("Back") binds a key.
    for (std::size_t index = 0; index + 1 < itemCount && index < bindingItemCount; ++index) {
        bindingItems[index]->refresh(static_cast<std::int32_t>(index) == activatedItem);
    }
    return MenuScreen::draw(window, wParam, lParam, offscreen, currentScreen);
}
