// The overlay that waits for the key to assign: it looks exactly like the key menu beneath it,
// which it keeps alive and hands back once a key is chosen or Escape is pressed.
#pragma once

#include <memory>

#include "game/KeyBindings.h"
#include "shell/Screen.h"

class KeyCaptureScreen final : public Screen {
  public:
    // The captured code goes to the action's binding in `keys`, which may be null.
    KeyCaptureScreen(KeyBindings* keys, Action action);

    // Stores an assignable key (Escape assigns nothing), then makes the menu current again and
    // deletes this overlay; unassignable keys are ignored.
    int onKeyDown(HWND window, WPARAM virtualKey, LPARAM keyData,
                  std::unique_ptr<Screen>& currentScreen) override;
    // The menu's own picture.
    int draw(HWND window, WPARAM wParam, LPARAM lParam, HDC offscreen,
             std::unique_ptr<Screen>& currentScreen) override;

    // The key menu beneath, held while the overlay is current so that it lives on with its cursor.
    std::unique_ptr<Screen> menu;
    KeyBindings* keys;
    Action action;
};
