// A menu: a vertical list of items over the menu background, the current one marked, its
// description in the box below, scroll marks when the list is longer than its rows, and the cursor
// keys, Enter and Escape with the menu sounds.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "screens/menus/MenuItem.h"
#include "shell/Screen.h"

inline constexpr std::uint32_t MAX_MENU_ITEMS = 32;
inline constexpr std::uint32_t MENU_ROWS = 6;  // rows every menu shows at once

// Positions on the 640 x 460 menu background, pixels.
struct MenuLayout {
    int listX;  // item text at listX + 15
    int listTop;
    int descX;  // description text at descX + 7
    int descTop;
    int arrowsX;  // the scroll marks; the lower one 20 below the upper
    int arrowsY;
    int listHeight;
    int descWidth;
    int descHeight;
};

inline constexpr MenuLayout MAIN_MENU_LAYOUT{190, 50, 150, 280, 130, 215, 210, 330, 100};
inline constexpr MenuLayout OPTIONS_MENU_LAYOUT{190, 50, 160, 280, 130, 215, 210, 330, 100};
inline constexpr MenuLayout KEY_MENU_LAYOUT{170, 50, 150, 280, 130, 215, 210, 330, 100};

class MenuScreen : public Screen {
  public:
    explicit MenuScreen(std::uint32_t rows);
    ~MenuScreen() override;  // releases the items, last first

    // Adds the item at the end; a null item, or a 33rd, is dropped.
    void append(std::unique_ptr<MenuItem> item);

    // Up, Down, Left, Right, Enter and Escape; every other key is ignored.
    int onKeyDown(HWND window, WPARAM virtualKey, LPARAM keyData,
                  std::unique_ptr<Screen>& currentScreen) override;
    // Clears the mark of an activated item at the first tick after it.
    int onTimer(HWND window, WPARAM timerId, LPARAM lParam, std::unique_ptr<Screen>& currentScreen) override;
    int draw(HWND window, WPARAM wParam, LPARAM lParam, HDC offscreen,
             std::unique_ptr<Screen>& currentScreen) override;
    // Escape: activates the cancel item, if the menu has one.
    virtual void onCancel(HWND window, std::unique_ptr<Screen>& currentScreen);

    std::int32_t activatedItem = -1;  // item last activated with Enter; -1 when none
    std::uint32_t currentItem = 0;
    std::uint32_t itemCount = 0;
    std::int32_t cancelItem = -1;  // item that Escape activates; -1 when none
    std::uint32_t visibleRows;
    std::uint32_t firstVisible = 0;
    std::array<std::unique_ptr<MenuItem>, MAX_MENU_ITEMS> items;
    MenuLayout layout = MAIN_MENU_LAYOUT;

  private:
    void moveUp();
    void moveDown();
    void drawDescription(HDC offscreen) const;
    void drawScrollMarks(HDC offscreen) const;
};
