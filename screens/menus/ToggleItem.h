// Menu items that show and flip an on/off switch of the settings: "Music: Yes", "Sound: No".
#pragma once

#include <cstdint>

#include "screens/menus/MenuItem.h"

class ToggleItem : public MenuItem {
  public:
    // Bound to a switch byte of the settings record; shows and flips it.
    ToggleItem(const char* label, const char* description, std::uint8_t& bound);

    // Enter, Left and Right all flip the switch; Left and Right report the change.
    void activate(HWND window, std::unique_ptr<Screen>& currentScreen) override;
    bool onLeft(HWND window, std::unique_ptr<Screen>& currentScreen) override;
    bool onRight(HWND window, std::unique_ptr<Screen>& currentScreen) override;

    std::uint8_t on = 0;  // the value shown, 0 or 1
    MenuText label{};

  private:
    void flip(HWND window, std::unique_ptr<Screen>& currentScreen);
    void rebuildTitle();

    std::uint8_t& bound;
};

// The music switch, read only at start-up.
class MusicToggleItem final : public ToggleItem {
  public:
    MusicToggleItem();
};

// The switch of the menu sounds, read at every play.
class SoundToggleItem final : public ToggleItem {
  public:
    SoundToggleItem();
};
