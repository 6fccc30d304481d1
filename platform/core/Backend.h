// The display, keyboard and clock that a backend supplies to the platform core: SDL2 for the game,
// a virtual one for tests. The core owns exactly one backend, made by CreateBackend.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "platform/WinTypes.h"
#include "platform/WinXInput.h"
#include "platform/core/WindowFrame.h"

namespace veskar::platform {

// One input event, already in the platform's terms.
struct InputEvent {
    // Character: one typed character while text input is on (it becomes WM_CHAR).
    enum class Kind { KeyDown, KeyUp, Character, MouseDown, CloseRequest };
    Kind kind = Kind::KeyDown;
    UINT virtualKey = 0;  // VK_* code; 0 for keys the platform has no code for
    UINT scanCode = 0;    // 0..255, travels in bits 16..23 of the key data
    bool extended = false;
    bool repeat = false;   // a key-down made by auto-repeat of a held key
    bool altDown = false;  // Alt was held: the key goes to the system (WM_SYSKEY*)
    // KeyDown: what the key types with the current modifiers, 0 if nothing (while text input is on,
    // only control characters: the text comes as Character events). Character: a Windows-1252 code.
    char character = 0;
};

class Backend {
  public:
    virtual ~Backend() = default;

    // Milliseconds on the backend's monotonic clock (virtual for tests). Its multiples of a period
    // are the beat of the process's periodic waits (platform/core/Beat.h).
    [[nodiscard]] virtual std::uint64_t now() = 0;
    // Opens the one display window with a client area of width by height pixels, hidden.
    // Returns false when no display can be opened.
    [[nodiscard]] virtual bool openWindow(const char* title, int width, int height) = 0;
    // Sets the window icon from 32-bit 0xAARRGGBB pixels, top row first (alpha 0xFF = opaque).
    virtual void setIcon(const std::uint32_t* pixels, int width, int height) = 0;
    virtual void showWindow(bool visible) = 0;
    virtual void closeWindow() = 0;
    // The display window's frame from now on. The backend may move its pixels into memory that the
    // display reads directly (WindowFrame::moveTo), so that presenting it copies nothing, and must
    // move them home again, content and all, before that memory goes; closeWindow lets it go.
    virtual void attachFrame(WindowFrame* frame) = 0;
    // Shows a client-sized picture, drawn 1:1 or enlarged as a whole: the attached frame, or the
    // frame with boxes drawn over it. Only the rectangles in `changed` differ from what the display
    // showed last; the backend shows more where it has lost that (a new window surface).
    virtual void present(const FrameView& picture, std::span<const RECT> changed) = 0;
    // Takes the next input event. Without a deadline it waits as long as it takes; with one it
    // waits until the clock reaches it (not at all when it has passed) and then returns false.
    [[nodiscard]] virtual bool nextEvent(InputEvent& event, std::optional<std::uint64_t> deadline) = 0;
    // Turns typed text on while an edit field has the keys: characters then come from the keyboard
    // layout and input method as Character events.
    virtual void setTextInput(bool enabled) = 0;
    // The clipboard's text in Windows-1252, characters the code page lacks dropped; empty if none.
    [[nodiscard]] virtual std::string clipboardText() = 0;
    // The pad in slot (0..XUSER_MAX_COUNT-1) as it is now: its buttons, triggers and sticks in
    // XInput's terms (the south face button is A, stick up is positive). False for an empty slot.
    // A pad that arrives takes the first free slot; one that leaves frees its slot.
    [[nodiscard]] virtual bool readPad(DWORD slot, XINPUT_GAMEPAD& pad) = 0;
};

// Defined by the backend the program links (platform/sdl or platform/testing). Never null.
[[nodiscard]] std::unique_ptr<Backend> CreateBackend();

}  // namespace veskar::platform
