// One line of a menu: a title, a description shown while it is current, and its reactions to
// Enter (or Escape, as a menu's cancel item), Left and Right.
#pragma once

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>

#include "shell/Screen.h"

inline constexpr std::size_t MENU_TEXT_SIZE = 256;  // 255 characters and the terminator

using MenuText = std::array<char, MENU_TEXT_SIZE>;

// Copies text (null: empty) into a menu text, cut to 255 characters and terminated.
void copyMenuText(MenuText& destination, const char* text);
// The parts one after the other, cut to 255 characters and terminated.
void joinMenuText(MenuText& destination, std::initializer_list<const char*> parts);

class MenuItem {
  public:
    MenuItem(const char* title, const char* description);
    virtual ~MenuItem() = default;
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    // The action of Enter, or of Escape on the cancel item. It may replace the current screen and
    // with it the menu and this item: the caller touches neither afterwards.
    virtual void activate(HWND window, std::unique_ptr<Screen>& currentScreen);
    // The reactions to Left and Right; true when anything changed.
    virtual bool onLeft(HWND window, std::unique_ptr<Screen>& currentScreen);
    virtual bool onRight(HWND window, std::unique_ptr<Screen>& currentScreen);

    MenuText title{};
    MenuText description{};
};

// An item whose whole behaviour is one action on Enter, such as a switch to another screen.
class ActionItem final : public MenuItem {
  public:
    using Action = std::function<void(HWND window, std::unique_ptr<Screen>& currentScreen)>;
    ActionItem(const char* title, const char* description, Action action);
    void activate(HWND window, std::unique_ptr<Screen>& currentScreen) override;

  private:
    Action action;
};
