// The modal message box: shown over the owner, closed by Enter, Escape, a click or a close request,
// while its own loop goes on dispatching the window's timer, paint and posted messages.
#include "platform/WinUser.h"
#include "platform/core/FreshKeys.h"
#include "platform/core/PlatformState.h"

using veskar::platform::FreshKeys;
using veskar::platform::state;

namespace {

// The box's answer to a message meant for its owner, or 0 when the message is not the box's.
int boxAnswer(const MSG& message, UINT type) {
    const int cancel = (type & 0xF) == MB_OKCANCEL ? IDCANCEL : IDOK;
    switch (message.message) {
        case WM_KEYDOWN:
            if (message.wParam == VK_RETURN || message.wParam == VK_SPACE) {
                return IDOK;
            }
            return message.wParam == VK_ESCAPE ? cancel : -1;
        case WM_LBUTTONDOWN:
            return IDOK;
        case WM_CLOSE:
            return cancel;
        // The box is modal: keys and clicks never reach the windows beneath it.
        case WM_KEYUP:
        case WM_CHAR:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
        case WM_SYSCHAR:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            return -1;
        default:
            return 0;
    }
}

}  // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    auto& platform = state();
    platform.boxes.push_back({caption == nullptr ? "Error" : caption, text == nullptr ? "" : text});
    HWND host = platform.hostWindow(owner);
    const bool hostWasHidden = host != nullptr && !host->visible;
    if (host != nullptr && platform.displayOpen) {
        platform.backend->showWindow(true);  // the box needs a place on screen even before its owner shows
        platform.present(host);
    }
    int result = 0;
    MSG message{};
    FreshKeys keys;          // keys held when the box opened are ignored until pressed anew
    HWND closing = nullptr;  // the window whose close request cancelled the box
    while (result == 0) {
        if (!GetMessageA(&message, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(message.wParam));  // the outer loop must see it too
            break;
        }
        const int answer = keys.acts(message) ? boxAnswer(message, type) : -1;
        if (answer > 0) {
            result = answer;
            closing = message.message == WM_CLOSE ? message.hwnd : nullptr;
        } else if (answer == 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    platform.boxes.pop_back();
    host = platform.hostWindow(owner);
    if (host != nullptr && platform.displayOpen) {
        if (hostWasHidden && !host->visible) {
            platform.backend->showWindow(false);
        }
        platform.present(host);
    }
    if (closing != nullptr) {
        PostMessageA(closing, WM_CLOSE, 0, 0);  // the box was only in the way of the request
    }
    return result;
}
