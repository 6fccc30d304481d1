// Test helpers for the front end: the real program on the test backend, with key taps spaced on
// the virtual clock, checks run at given moments, and the menu sounds heard after each key.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/testing/TestBackend.h"
#include "screens/menus/MenuScreen.h"
#include "shell/ShellState.h"
#include "tests/support/ScratchFolder.h"

class FrontEndDriver {
  public:
    // A fresh test backend in a fresh working folder (so no settings file yet), the clock at 100 ms.
    FrontEndDriver();

    // Taps the keys 50 ms apart, from the driver's clock on. After each key the audio device plays
    // on a little, and what the effects sounded is noted in `heard`.
    void keys(std::initializer_list<UINT> virtualKeys);
    // Runs the check at the driver's clock, 50 ms after the last key.
    void then(std::function<void()> check);
    // Runs the program until the script ends, then closes it; returns its exit status.
    int run();
    // A fresh test backend for the next run of the program, in the same working folder, so that
    // it finds the settings file the last run wrote.
    void restart();

    [[nodiscard]] veskar::platform::TestBackend& backend() const;

    ScratchFolder folder;
    std::uint64_t clock = 100;  // milliseconds
    // One word per key: "select", "move", "" for silence, "other" for any other sound.
    std::vector<std::string> heard;

  private:
    void listen();
    void learnMenuSounds();

    std::vector<std::int16_t> selectSound;  // how each menu sound begins, heard alone
    std::vector<std::int16_t> moveSound;
};

// The current screen as a menu, or null.
[[nodiscard]] MenuScreen* currentMenu();
