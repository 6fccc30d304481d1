// Keys held when a screen appears: a key that is down as a screen or a modal box takes over acts on
// what comes next only after it has been released and pressed again, so that Escape or Enter held
// a moment too long never acts twice (leaving the options and then quitting the game, or choosing a
// menu item and then answering the box it opened). Within one screen nothing changes: a key pressed
// there repeats as the desktop repeats it.
#pragma once

#include <bitset>
#include <cstdint>

#include "platform/Platform.h"

class KeyGate {
  public:
    // Whether a WM_KEYDOWN or WM_KEYUP message reaches the screen numbered `screen` (its serial): a
    // new press does, and so do its repeats and its release; the repeats and the release of a key
    // held since before the screen was first given a key message do not.
    [[nodiscard]] bool admits(std::uint64_t screen, UINT message, WPARAM virtualKey, LPARAM keyData);
    // A modal box took the keys for a while: the keys held now are treated as held from before.
    void forgetPresses() { pressed.reset(); }

  private:
    std::uint64_t lastScreen = 0;  // 0: none yet
    std::bitset<256> pressed;      // keys pressed while `lastScreen` was current, by virtual-key code
};

// The gate between the window's key messages and the current screen. Message-loop thread only.
extern KeyGate keyGate;
