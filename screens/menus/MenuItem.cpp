// Menu items: their texts and default reactions.
#include "screens/menus/MenuItem.h"

#include <cstring>
#include <utility>

void copyMenuText(MenuText& destination, const char* text) {
    const std::size_t length = text == nullptr ? 0 : strnlen(text, MENU_TEXT_SIZE - 1);
    if (length > 0) {
        std::memmove(destination.data(), text, length);
    }
    destination[length] = '\0';
}

void joinMenuText(MenuText& destination, std::initializer_list<const char*> parts) {
    std::size_t length = 0;
    for (const char* part : parts) {
        const std::size_t room = MENU_TEXT_SIZE - 1 - length;
        const std::size_t count = part == nullptr ? 0 : strnlen(part, room);
        if (count > 0) {
            std::memmove(destination.data() + length, part, count);
            length += count;
        }
    }
    destination[length] = '\0';
}

MenuItem::MenuItem(const char* titleText, const char* descriptionText) {
    copyMenuText(title, titleText);
    copyMenuText(description, descriptionText);
}

void MenuItem::activate(HWND, std::unique_ptr<Screen>&) {}

bool MenuItem::onLeft(HWND, std::unique_ptr<Screen>&) {
    return false;
}

bool MenuItem::onRight(HWND, std::unique_ptr<Screen>&) {
    return false;
}

ActionItem::ActionItem(const char* titleText, const char* descriptionText, Action itemAction)
    : MenuItem(titleText, descriptionText), action(std::move(itemAction)) {}

void ActionItem::activate(HWND window, std::unique_ptr<Screen>& currentScreen) {
    action(window, currentScreen);
}
