// The base of every full-window state of the game: it receives the window's key, timer and paint
// messages, draws itself into an off-screen buffer, and replaces itself through `currentScreen`.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/Platform.h"
#include "shell/PadControls.h"

class Screen {
  public:
    Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    // Handlers run on the message-loop thread while the screen is current. `currentScreen` is the
    // shell's owning reference: a handler may replace the screen through it (the old one is then
    // deleted, so the handler must return without touching its members). Results go back to the
    // platform as the message result.
    virtual int onKeyDown(HWND window, WPARAM virtualKey, LPARAM keyData,
                          std::unique_ptr<Screen>& currentScreen);
    virtual int onKeyUp(HWND window, WPARAM virtualKey, LPARAM keyData,
                        std::unique_ptr<Screen>& currentScreen);
    virtual int onTimer(HWND window, WPARAM timerId, LPARAM lParam, std::unique_ptr<Screen>& currentScreen);
    // Draws the whole client area into `offscreen`. When the buffer was not erased its content is
    // undefined, so every pixel that should show must be drawn.
    virtual int draw(HWND window, WPARAM wParam, LPARAM lParam, HDC offscreen,
                     std::unique_ptr<Screen>& currentScreen) = 0;
    virtual ~Screen() = default;
    // Routes WM_PAINT (the double-buffered paint), WM_KEYDOWN, WM_KEYUP and WM_TIMER; 0 for others.
    virtual int handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                              std::unique_ptr<Screen>& currentScreen);
    // Asks for a repaint of the whole window; erase 1 fills the buffer with the menu-text system
    // colour first. The last call before the paint decides.
    virtual void invalidate(HWND window, BYTE erase);
    // The program is ending (the window closes, a signal, the session ends) while this screen is
    // current, and it is about to be deleted: it keeps what the player would otherwise lose. Does
    // nothing here.
    virtual void onEnd(HWND window);
    // The key a pad's control stands for on this screen, 0 for none; `pad` is the pad's slot (0..3).
    // Here, as in every menu: the directions are the cursor keys, A is Enter, B and Back are Escape,
    // on any pad.
    [[nodiscard]] virtual int padKey(std::size_t pad, PadControl control) const;
    // The pad in slot `pad` was pulled out while this screen was current. Does nothing here.
    virtual void onPadLost(HWND window, std::size_t pad);

    BYTE eraseBackground = 1;
    // Tells screens apart even where a new one takes the memory of one deleted; 1 for the first.
    const std::uint64_t serial;

  private:
    int paint(HWND window, WPARAM wParam, LPARAM lParam, std::unique_ptr<Screen>& currentScreen);
};
