// An open modal dialog and its controls, as the dialog manager, the edit fields and the drawing
// share them. The windows themselves (captions and texts included) are ordinary window records.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/WinUser.h"
#include "platform/core/FreshKeys.h"

namespace veskar::platform {

enum class ControlKind { Static, Edit, Button, Other };

inline constexpr std::size_t EDIT_MAX_LIMIT = 0x7FFE;  // characters; EM_LIMITTEXT 0 gives this

// An edit field's caret and selection, as byte positions 0..length in its text.
struct EditState {
    std::size_t caret = 0;
    std::size_t anchor = 0;  // the selection's other end; equal to caret when nothing is selected
    std::size_t scroll = 0;  // the first character shown
    std::size_t limit = EDIT_MAX_LIMIT;
};

struct DialogControl {
    HWND window = nullptr;
    HWND dialog = nullptr;  // the parent, which receives the notifications
    int id = 0;
    ControlKind kind = ControlKind::Other;
    DWORD style = 0;
    RECT bounds{};  // pixels in the dialog's client area
    EditState edit;
};

struct DialogRecord {
    HWND window = nullptr;
    HWND owner = nullptr;
    HWND host = nullptr;  // the display window the dialog is drawn over
    DLGPROC procedure = nullptr;
    RECT frame{};                         // the whole panel, pixels in the host's client area
    RECT client{};                        // the dialog's client area, pixels in the host's client area
    std::vector<DialogControl> controls;  // made once when the dialog opens, never resized
    HWND focus = nullptr;                 // the control that takes the keys, if any
    bool ended = false;
    INT_PTR result = 0;
    FreshKeys keys;               // keys held when the dialog opened are ignored until pressed anew
    bool closeRequested = false;  // the program's window was asked to close: it closes once the dialog has
};

// The open dialog whose window is `window`; null when there is none.
[[nodiscard]] DialogRecord* findDialog(HWND window);
// The control of an open dialog whose window is `window`; null when there is none.
[[nodiscard]] DialogControl* findControl(HWND window);

}  // namespace veskar::platform
