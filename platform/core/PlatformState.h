// Everything the platform core keeps between calls: the backend, window classes and windows, the
// message queue, timers and drawing objects. One instance per process, reset between tests.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/WinUser.h"
#include "platform/core/Backend.h"
#include "platform/core/DialogRecord.h"
#include "platform/core/GdiObjects.h"
#include "platform/core/MessageBoxView.h"
#include "platform/core/WindowRecord.h"

namespace veskar::platform {

struct WindowTimer {
    HWND window = nullptr;
    UINT_PTR id = 0;
    std::uint64_t interval = 0;  // milliseconds
    std::uint64_t deadline = 0;  // backend clock, milliseconds
};

// What XInputGetState last reported for a slot, for its packet number.
struct PadSlot {
    bool connected = false;
    XINPUT_GAMEPAD last;
    DWORD packet = 0;
};

struct WindowClass {
    std::string name;
    WNDCLASSEXA definition{};
};

struct PlatformState {
    PlatformState();
    ~PlatformState();

    std::unique_ptr<Backend> backend;
    std::vector<WindowClass> classes;
    std::vector<std::unique_ptr<HWND__>> windows;
    std::deque<MSG> queue;  // posted and input messages, oldest first
    std::vector<WindowTimer> timers;
    std::size_t timerCapacity = 64;  // SetTimer fails beyond this many running timers
    // Content of a new compatible bitmap, which callers may not rely on: none (left as it happens
    // to be), or a colour that tests set to show drawing that relies on it.
    std::optional<std::uint32_t> freshBitmapFill;
    bool quitPending = false;  // PostQuitMessage ran; WM_QUIT follows the posted messages
    int quitCode = 0;
    bool displayOpen = false;                            // the backend window belongs to windows.front()
    std::vector<std::unique_ptr<DialogRecord>> dialogs;  // open modal dialogs, innermost last
    std::vector<MessageBoxView> boxes;                   // open message boxes, innermost last
    std::array<char, 256> typedCharacters{};  // what each key typed when last pressed, for TranslateMessage
    std::array<PadSlot, XUSER_MAX_COUNT> pads{};
    GdiTable gdi;
    HDC screenDC = nullptr;  // the context a null "compatible" source stands for

    // The live window behind a handle, or null.
    [[nodiscard]] HWND window(HWND handle) const;
    // The display window that a box or dialog owned by `owner` is drawn over: the owner if live,
    // else the first window; null when there is no window.
    [[nodiscard]] HWND hostWindow(HWND owner) const;
    // Shows the window's frame on the display, with any open dialog and message box drawn over it:
    // without a box, only what changed since the display last showed the frame, and nothing at all
    // when nothing did.
    void present(HWND handle);
};

// The process's platform state, made on first use.
[[nodiscard]] PlatformState& state();
// Drops every window, timer, message and object and makes a fresh backend (for tests).
void resetState();
// Drops every window and object and closes the backend, at the end of the program.
void shutdownState();

}  // namespace veskar::platform
