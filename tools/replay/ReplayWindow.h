// The replay tool's game window on the test backend: the game's own bitmaps, a window of the game's
// size, and the full repaint of a screen in it, read back as a binary PPM picture.
#pragma once

#include <memory>
#include <string>

#include "shell/Screen.h"

class ReplayWindow {
  public:
    // Starts a fresh test backend, opens the window and loads the bitmaps.
    ReplayWindow();
    ~ReplayWindow();
    ReplayWindow(const ReplayWindow&) = delete;
    ReplayWindow& operator=(const ReplayWindow&) = delete;

    [[nodiscard]] HWND handle() const { return window; }
    // Has the screen repaint the whole window from an erased buffer, as after a screen switch; the
    // backend then holds the frame the window shows.
    void repaint(std::unique_ptr<Screen>& screen);
    // Repaints, then writes the frame the window shows to `path` as P6 at the client size. False when
    // the window is missing or the file cannot be written.
    [[nodiscard]] bool writeFrame(std::unique_ptr<Screen>& screen, const std::string& path);

  private:
    HWND window = nullptr;
};
