// Modal dialogs: made from a template over the owner window, run by their own message loop, which
// gives the keys to the dialog and passes every other message on, and ended by EndDialog.
#include <algorithm>

#include "platform/WinUser.h"
#include "platform/core/DialogTemplate.h"
#include "platform/core/DialogView.h"
#include "platform/core/EditControl.h"
#include "platform/core/PlatformState.h"
#include "platform/core/ResourceModule.h"

namespace veskar::platform {

DialogRecord* findDialog(HWND window) {
    for (const auto& dialog : state().dialogs) {
        if (dialog->window == window) {
            return dialog.get();
        }
    }
    return nullptr;
}

DialogControl* findControl(HWND window) {
    for (const auto& dialog : state().dialogs) {
        for (DialogControl& control : dialog->controls) {
            if (control.window == window) {
                return &control;
            }
        }
    }
    return nullptr;
}

}  // namespace veskar::platform

using namespace veskar::platform;

namespace {

// The dialog's default handling after its procedure: the close box cancels, as Escape does.
LRESULT CALLBACK dialogWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const DialogRecord* dialog = findDialog(window);
    if (dialog != nullptr) {
        const INT_PTR handled = dialog->procedure(window, message, wParam, lParam);
        if (handled != FALSE) {
            return handled;
        }
    }
    if (message == WM_CLOSE) {
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, IDCANCEL)));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A window record for a dialog or control. The dialog view draws them, so their own frames stay
// one pixel: a template cannot make the layer allocate a huge bitmap.
HWND addWindow(const RECT& bounds, WNDPROC procedure, const std::string& title, DWORD style) {
    auto& platform = state();
    auto record = std::make_unique<HWND__>(1, 1);
    record->clientWidth = std::max<int>(bounds.right - bounds.left, 0);
    record->clientHeight = std::max<int>(bounds.bottom - bounds.top, 0);
    record->procedure = procedure;
    record->title = title;
    record->style = style;
    HWND window = record.get();
    platform.gdi.addWindowDC(window);
    platform.windows.push_back(std::move(record));
    return window;
}

ControlKind kindOf(WORD classAtom) {
    switch (classAtom) {
        case STATIC_CLASS:
            return ControlKind::Static;
        case EDIT_CLASS:
            return ControlKind::Edit;
        case BUTTON_CLASS:
            return ControlKind::Button;
        default:
            return ControlKind::Other;
    }
}

DialogRecord& openDialog(const DialogTemplate& layout, HWND owner, HWND host, DLGPROC procedure) {
    auto& platform = state();
    auto dialog = std::make_unique<DialogRecord>();
    const RECT size = dialogUnitsToPixels(0, 0, layout.width, layout.height);
    dialog->window = addWindow(size, dialogWindowProcedure, layout.caption, layout.style);
    dialog->owner = owner;
    dialog->host = host;
    dialog->procedure = procedure;
    placeDialog(*dialog, dialog->window->clientWidth, dialog->window->clientHeight, host->clientWidth,
                host->clientHeight);
    dialog->controls.reserve(layout.items.size());
    for (const DialogItemTemplate& item : layout.items) {
        DialogControl control;
        control.kind = kindOf(item.classAtom);
        control.bounds = dialogUnitsToPixels(item.x, item.y, item.width, item.height);
        control.window =
            addWindow(control.bounds, control.kind == ControlKind::Edit ? editProcedure : DefWindowProcA,
                      item.text, item.style);
        control.dialog = dialog->window;
        control.id = item.id;
        control.style = item.style;
        control.edit.caret = control.edit.anchor = item.text.size();
        dialog->controls.push_back(control);
    }
    platform.dialogs.push_back(std::move(dialog));
    return *platform.dialogs.back();
}

// Tells the dialog that its edit field `control` gains or loses the keys (EN_SETFOCUS,
// EN_KILLFOCUS); other controls say nothing.
void notifyFocus(const DialogRecord& dialog, HWND control, WORD code) {
    const DialogControl* found = findControl(control);
    if (found != nullptr && found->kind == ControlKind::Edit) {
        SendMessageA(dialog.window, WM_COMMAND, MAKEWPARAM(found->id, code),
                     reinterpret_cast<LPARAM>(control));
    }
}

// The focused control loses the keys, as when the dialog goes away.
void dropFocus(DialogRecord& dialog) {
    HWND lost = dialog.focus;
    dialog.focus = nullptr;
    if (lost != nullptr) {
        notifyFocus(dialog, lost, EN_KILLFOCUS);
    }
}

void closeDialog(DialogRecord& dialog) {
    auto& platform = state();
    dropFocus(dialog);
    DestroyWindow(dialog.window);
    for (const DialogControl& control : dialog.controls) {
        DestroyWindow(control.window);
    }
    std::erase_if(platform.dialogs, [&](const auto& open) { return open.get() == &dialog; });
    if (platform.dialogs.empty()) {
        platform.backend->setTextInput(false);
    }
}

// Gives a control the keys; an edit field gets its whole text selected and typed text turned on.
void focus(DialogRecord& dialog, HWND control) {
    const DialogControl* found = findControl(control);
    dialog.focus = control;
    const bool edit = found != nullptr && found->kind == ControlKind::Edit;
    if (edit) {
        SendMessageA(control, EM_SETSEL, 0, -1);
    }
    state().backend->setTextInput(edit);
    notifyFocus(dialog, control, EN_SETFOCUS);
}

HWND firstTabStop(const DialogRecord& dialog) {
    const auto found =
        std::find_if(dialog.controls.begin(), dialog.controls.end(),
                     [](const DialogControl& control) { return (control.style & WS_TABSTOP) != 0; });
    return found == dialog.controls.end() ? nullptr : found->window;
}

// Enter presses the default push button, or IDOK when there is none.
int defaultCommand(const DialogRecord& dialog) {
    const auto found =
        std::find_if(dialog.controls.begin(), dialog.controls.end(), [](const DialogControl& control) {
            return control.kind == ControlKind::Button && (control.style & 0xF) == 1;
        });
    return found == dialog.controls.end() ? IDOK : found->id;
}

void command(const DialogRecord& dialog, int id) {
    SendMessageA(dialog.window, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog.window, id)));
}

// Handles the messages that belong to the dialog while it is open: keys, typed characters, clicks
// and the window's close request. False for every other message.
bool takeInput(DialogRecord& dialog, MSG& message) {
    if (!dialog.keys.acts(message)) {
        return true;  // held since before the dialog opened
    }
    switch (message.message) {
        case WM_KEYDOWN:
            if (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE) {
                command(dialog, message.wParam == VK_RETURN ? defaultCommand(dialog) : IDCANCEL);
                return true;
            }
            TranslateMessage(&message);  // a typing key's character follows as WM_CHAR
            [[fallthrough]];
        case WM_CHAR:
            if (dialog.focus != nullptr) {
                SendMessageA(dialog.focus, message.message, message.wParam, message.lParam);
            }
            return true;
        case WM_SYSKEYDOWN:  // Alt+F4 closes the dialog, not the window beneath it
            SendMessageA(dialog.window, message.message, message.wParam, message.lParam);
            return true;
        case WM_CLOSE:
            if (message.hwnd != dialog.host && message.hwnd != dialog.owner) {
                return false;
            }
            // The dialog ends as cancelled, and the request is passed on once it has gone.
            dialog.closeRequested = true;
            SendMessageA(dialog.window, WM_CLOSE, 0, 0);
            return true;
        case WM_KEYUP:
        case WM_SYSKEYUP:
        case WM_SYSCHAR:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            return true;
        default:
            return false;
    }
}

void runLoop(DialogRecord& dialog) {
    auto& platform = state();
    platform.present(dialog.host);
    MSG message{};
    while (!dialog.ended && IsWindow(dialog.window) && IsWindow(dialog.host)) {
        if (!GetMessageA(&message, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(message.wParam));  // the outer loop must see it too
            return;
        }
        if (takeInput(dialog, message)) {
            platform.present(dialog.host);
        } else {
            DispatchMessageA(&message);
        }
    }
}

}  // namespace

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC dialogProc, LPARAM param) {
    auto& platform = state();
    if (owner != nullptr && platform.window(owner) == nullptr) {
        return 0;
    }
    const HRSRC__* resource = findResource(instance, name, RT_DIALOG);
    HWND host = platform.hostWindow(owner);
    DialogTemplate layout;
    if (resource == nullptr || dialogProc == nullptr || host == nullptr ||
        !readDialogTemplate({resource->data.bytes, resource->data.size}, layout)) {
        return -1;
    }
    DialogRecord& dialog = openDialog(layout, owner, host, dialogProc);
    HWND first = firstTabStop(dialog);
    if (SendMessageA(dialog.window, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) != FALSE &&
        first != nullptr) {
        focus(dialog, first);
    }
    runLoop(dialog);
    const INT_PTR result = dialog.ended ? dialog.result : 0;
    const bool closeRequested = dialog.closeRequested;
    closeDialog(dialog);
    platform.present(host);
    if (closeRequested) {
        PostMessageA(host, WM_CLOSE, 0, 0);
    }
    return result;
}

BOOL EndDialog(HWND window, INT_PTR result) {
    DialogRecord* dialog = findDialog(window);
    if (dialog == nullptr) {
        return FALSE;
    }
    dialog->ended = true;
    dialog->result = result;
    dropFocus(*dialog);
    return TRUE;
}

HWND GetDlgItem(HWND window, int id) {
    const DialogRecord* dialog = findDialog(window);
    if (dialog == nullptr) {
        return nullptr;
    }
    for (const DialogControl& control : dialog->controls) {
        if (control.id == static_cast<WORD>(id)) {
            return control.window;
        }
    }
    return nullptr;
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
    HWND control = GetDlgItem(dialog, id);
    return control == nullptr ? FALSE : SetWindowTextA(control, text);
}

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int maxCount) {
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) {
        if (buffer != nullptr && maxCount > 0) {
            buffer[0] = '\0';
        }
        return 0;
    }
    return static_cast<UINT>(GetWindowTextA(control, buffer, maxCount));
}
