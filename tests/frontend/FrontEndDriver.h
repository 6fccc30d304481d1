// Test helpers for the front end: the real program on the test backend, with key taps spaced on
// the virtual clock and checks run at given moments.
#pragma once

#include <functional>
#include <initializer_list>

#include "frontend/MenuScreen.h"
#include "platform/testing/TestBackend.h"
#include "shell/ShellState.h"

class FrontEndDriver {
  public:
    FrontEndDriver();  // a fresh test backend, the default settings, the clock at 100 ms

    // Taps the keys 50 ms apart, from the driver's clock on.
    void keys(std::initializer_list<UINT> virtualKeys);
    // Runs the check at the driver's clock, 50 ms after the last key.
    void then(std::function<void()> check);
    // Runs the program until the script ends, then closes it; returns its exit status.
    int run();

    veskar::platform::TestBackend& backend;
    std::uint64_t clock = 100;  // milliseconds
};

// The current screen as a menu, or null.
[[nodiscard]] MenuScreen* currentMenu();
