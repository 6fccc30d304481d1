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
inline constexpr const char* ACTION_LABELS[KEY_ACTIONS] = {"Left", "Right", "Fast", "Rotate"};
}  // namespace

KeyBindingItem::KeyBindingItem(const char* labelText, int& boundKey)
    : MenuItem(labelText, ""), binding(boundKey) {
    copyMenuText(label, labelText);
    refresh(false);
}

void KeyBindingItem::refresh(bool beingChanged) {
    const KeyName key = keyName(static_cast<std::uint32_t>(binding));
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
    auto* overlay = new (std::nothrow) KeyCaptureScreen(&binding);
    if (overlay == nullptr) {
        reportError(window, ERR_OUT_OF_MEMORY);  // the key menu stays current
        return;
    }
    overlay->menu = std::move(currentScreen);
    currentScreen.reset(overlay);
}

KeyMenu::KeyMenu(KeyBindings* keys) : MenuScreen(MENU_ROWS) {
    layout = KEY_MENU_LAYOUT;
    bool made = true;
    for (std::size_t action = 0; action < KEY_ACTIONS && made; ++action) {
        made = appendItem(*this, std::unique_ptr<MenuItem>(new (std::nothrow) KeyBindingItem(
                                     ACTION_LABELS[action], (*keys)[action])));
    }
    (void)(made && appendAction(*this, "Back", "Previous menu", switchTo<OptionsMenu>()));
    if (itemCount > 3) {
        cancelItem = BACK_ITEM;
    }
}

int KeyMenu::draw(HWND window, WPARAM wParam, LPARAM lParam, HDC offscreen,
                  std::unique_ptr<Screen>& currentScreen) {
    for (std::uint32_t index = 0; index + 1 < itemCount; ++index) {
        // Every item but the last ("Back") binds a key.
        if (auto* item = dynamic_cast<KeyBindingItem*>(items[index].get())) {
            item->refresh(static_cast<std::int32_t>(index) == activatedItem);
        }
    }
    return MenuScreen::draw(window, wParam, lParam, offscreen, currentScreen);
}
