// Edit fields: the caret and selection, typing and the editing keys, paste, the length limit, and
// the notifications that tell the dialog about every change. The text is the window's title.
#include "platform/core/EditControl.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "platform/core/DialogView.h"
#include "platform/core/PlatformState.h"

namespace veskar::platform {
namespace {

inline constexpr unsigned char PASTE_CHARACTER = 0x16;  // Ctrl+V

std::size_t selectionStart(const EditState& edit) {
    return std::min(edit.caret, edit.anchor);
}

std::size_t selectionEnd(const EditState& edit) {
    return std::max(edit.caret, edit.anchor);
}

// A field without automatic scrolling takes no more than it can show.
std::size_t effectiveLimit(const DialogControl& control) {
    const bool scrolls = (control.style & ES_AUTOHSCROLL) != 0;
    return scrolls ? control.edit.limit : std::min(control.edit.limit, visibleCharacters(control));
}

// Keeps the caret in view, showing as much text as fits.
void scrollToCaret(DialogControl& control) {
    EditState& edit = control.edit;
    const std::size_t shown = visibleCharacters(control);
    const std::size_t length = control.window->title.size();
    edit.scroll = std::min(edit.scroll, length > shown ? length - shown : 0);
    if (edit.caret < edit.scroll) {
        edit.scroll = edit.caret;
    } else if (edit.caret > edit.scroll + shown) {
        edit.scroll = edit.caret - shown;
    }
}

void moveCaret(DialogControl& control, std::size_t position) {
    control.edit.caret = position;
    control.edit.anchor = position;
    scrollToCaret(control);
}

// Replaces the selection with as much of `text` as the limit leaves room for; false when nothing
// fits, and then nothing changes.
bool replaceSelection(DialogControl& control, std::string_view text) {
    std::string& content = control.window->title;
    const std::size_t start = selectionStart(control.edit);
    const std::size_t end = selectionEnd(control.edit);
    const std::size_t kept = content.size() - (end - start);
    const std::size_t limit = effectiveLimit(control);
    const std::string_view inserted = text.substr(0, kept < limit ? limit - kept : 0);
    if (inserted.empty()) {
        return false;
    }
    content.replace(start, end - start, inserted);
    moveCaret(control, start + inserted.size());
    return true;
}

bool erase(DialogControl& control, std::size_t start, std::size_t end) {
    control.window->title.erase(start, end - start);
    moveCaret(control, start);
    return true;
}

// The editing keys; true when the text changed.
bool onKey(DialogControl& control, WPARAM key) {
    const std::size_t length = control.window->title.size();
    const std::size_t start = selectionStart(control.edit);
    const std::size_t end = selectionEnd(control.edit);
    const bool selection = start != end;
    switch (key) {
        case VK_LEFT:
            moveCaret(control, selection ? start : (start > 0 ? start - 1 : 0));
            return false;
        case VK_RIGHT:
            moveCaret(control, selection ? end : std::min(end + 1, length));
            return false;
        case VK_HOME:
            moveCaret(control, 0);
            return false;
        case VK_END:
            moveCaret(control, length);
            return false;
        case VK_BACK:
            return (selection || start > 0) && erase(control, selection ? start : start - 1, end);
        case VK_DELETE:
            return (selection || end < length) && erase(control, start, selection ? end : end + 1);
        default:
            return false;
    }
}

// The clipboard's text up to its first line break, as a single-line field takes it.
bool paste(DialogControl& control) {
    std::string text = state().backend->clipboardText();
    text.erase(std::min(text.find_first_of("\r\n"), text.size()));
    return replaceSelection(control, text);
}

bool onCharacter(DialogControl& control, WPARAM code) {
    if (code == PASTE_CHARACTER) {
        return paste(control);
    }
    if (code < 32 || code == 127 || code > 255) {
        return false;  // other control characters type nothing
    }
    const char typed = static_cast<char>(code);
    return replaceSelection(control, std::string_view(&typed, 1));
}

void select(DialogControl& control, WPARAM from, LPARAM to) {
    const std::size_t length = control.window->title.size();
    if (static_cast<LPARAM>(from) == -1) {
        control.edit.anchor = control.edit.caret;  // -1 only removes the selection
        return;
    }
    control.edit.anchor = std::min(static_cast<std::size_t>(from), length);
    control.edit.caret = to < 0 ? length : std::min(static_cast<std::size_t>(to), length);
    scrollToCaret(control);
}

// Tells the dialog that the text changed: EN_UPDATE before the field shows it, EN_CHANGE after.
void notify(HWND window) {
    const DialogControl* control = findControl(window);
    if (control == nullptr) {
        return;
    }
    const HWND dialog = control->dialog;
    const WORD id = static_cast<WORD>(control->id);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, EN_UPDATE), reinterpret_cast<LPARAM>(window));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(window));
}

}  // namespace

LRESULT CALLBACK editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogControl* control = findControl(window);
    if (control == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    bool changed = false;
    switch (message) {
        case WM_SETTEXT:
            control->window->title = lParam == 0 ? "" : reinterpret_cast<LPCSTR>(lParam);
            moveCaret(*control, control->window->title.size());
            notify(window);
            return TRUE;
        case WM_KEYDOWN:
            changed = onKey(*control, wParam);
            break;
        case WM_CHAR:
            changed = onCharacter(*control, wParam);
            break;
        case WM_PASTE:
            changed = paste(*control);
            break;
        case EM_LIMITTEXT:
            control->edit.limit =
                wParam == 0 ? EDIT_MAX_LIMIT : std::min<std::size_t>(wParam, EDIT_MAX_LIMIT);
            return 0;
        case EM_SETSEL:
            select(*control, wParam, lParam);
            return 0;
        case EM_GETSEL:
            return static_cast<LRESULT>(selectionStart(control->edit) | (selectionEnd(control->edit) << 16));
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
    if (changed) {
        notify(window);
    }
    return 0;
}

}  // namespace veskar::platform
