// Capturing the key to assign.
#include "screens/menus/KeyCaptureScreen.h"

#include "screens/menus/KeyNames.h"

KeyCaptureScreen::KeyCaptureScreen(KeyBindings* targetKeys, Action targetAction)
    : keys(targetKeys), action(targetAction) {}

int KeyCaptureScreen::onKeyDown(HWND window, WPARAM virtualKey, LPARAM,
                                std::unique_ptr<Screen>& currentScreen) {
    if (!keyName(static_cast<std::uint32_t>(virtualKey)).assignable) {
        return 0;  // capture goes on
    }
    const bool assign = virtualKey != VK_ESCAPE;
    if (assign && keys != nullptr) {
        (*keys)[action] = static_cast<std::int32_t>(virtualKey);
    }
    // Hand the menu back; this overlay is deleted when `self` goes, as the handler returns.
    std::unique_ptr<Screen> self = std::move(currentScreen);
    currentScreen = std::move(menu);
    if (assign && currentScreen) {
        currentScreen->invalidate(window, 1);
    }
    return 0;
}

int KeyCaptureScreen::draw(HWND window, WPARAM wParam, LPARAM lParam, HDC offscreen,
                           std::unique_ptr<Screen>& currentScreen) {
    return menu ? menu->draw(window, wParam, lParam, offscreen, currentScreen) : 0;
}
