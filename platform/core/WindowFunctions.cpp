// Window classes, window creation and destruction, the default window procedure and the paint cycle.
#include <algorithm>
#include <cstring>

#include "platform/WinGdi.h"
#include "platform/WinUser.h"
#include "platform/core/PlatformState.h"

using veskar::platform::state;

namespace {

// The layer's own window frame: a caption bar and a fixed border on every side, in pixels.
inline constexpr int CAPTION_HEIGHT = 19;
inline constexpr int FRAME_WIDTH = 3;
inline constexpr int DEFAULT_WIDTH = 640;
inline constexpr int DEFAULT_HEIGHT = 480;
inline constexpr int MAX_CLIENT_SIDE = 16384;

const veskar::platform::WindowClass* findClass(LPCSTR name) {
    if (name == nullptr || IS_INTRESOURCE(name)) {
        return nullptr;
    }
    const auto& classes = state().classes;
    const auto found = std::find_if(classes.begin(), classes.end(),
                                    [name](const auto& entry) { return entry.name == name; });
    return found == classes.end() ? nullptr : &*found;
}

// Gives the display window the class icon, when the class has a decoded one.
void applyIcon(HICON icon) {
    if (icon != nullptr && !icon->pixels.empty()) {
        state().backend->setIcon(icon->pixels.data(), icon->width, icon->height);
    }
}

// A window record of the class; overlapped windows always have a caption and fixed frame, which
// the client area leaves out.
std::unique_ptr<HWND__> makeRecord(const WNDCLASSEXA& windowClass, LPCSTR title, DWORD style, int width,
                                   int height) {
    const bool framed = (style & (WS_CHILD | WS_POPUP)) == 0;
    const int clientWidth = std::clamp(framed ? width - 2 * FRAME_WIDTH : width, 1, MAX_CLIENT_SIDE);
    const int clientHeight =
        std::clamp(framed ? height - CAPTION_HEIGHT - 2 * FRAME_WIDTH : height, 1, MAX_CLIENT_SIDE);
    auto record = std::make_unique<HWND__>(clientWidth, clientHeight);
    record->procedure = windowClass.lpfnWndProc;
    record->title = title == nullptr ? "" : title;
    record->style = style;
    record->background = windowClass.hbrBackground;
    return record;
}

// The default handling of a window's title: WM_SETTEXT stores it (the display keeps the title it
// opened with), WM_GETTEXT copies it with truncation, WM_GETTEXTLENGTH measures it.
LRESULT windowText(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = state().window(handle);
    if (window == nullptr) {
        return 0;
    }
    if (message == WM_SETTEXT) {
        window->title = lParam == 0 ? "" : reinterpret_cast<LPCSTR>(lParam);
        return TRUE;
    }
    if (message == WM_GETTEXTLENGTH) {
        return static_cast<LRESULT>(window->title.size());
    }
    auto* buffer = reinterpret_cast<LPSTR>(lParam);
    if (buffer == nullptr || wParam == 0) {
        return 0;
    }
    const std::size_t length = std::min<std::size_t>(window->title.size(), wParam - 1);
    std::memcpy(buffer, window->title.data(), length);
    buffer[length] = '\0';
    return static_cast<LRESULT>(length);
}

void fillFrame(HWND window) {
    const RECT all{0, 0, window->clientWidth, window->clientHeight};
    FillRect(&window->dc, &all, window->background);
}

}  // namespace

ATOM RegisterClassExA(const WNDCLASSEXA* windowClass) {
    if (windowClass == nullptr || windowClass->cbSize != sizeof(WNDCLASSEXA) ||
        windowClass->lpfnWndProc == nullptr || windowClass->lpszClassName == nullptr ||
        IS_INTRESOURCE(windowClass->lpszClassName) || findClass(windowClass->lpszClassName) != nullptr) {
        return 0;
    }
    auto& classes = state().classes;
    classes.push_back({windowClass->lpszClassName, *windowClass});
    classes.back().definition.lpszClassName =
        nullptr;  // the name lives in the entry, not the caller's buffer
    classes.back().definition.lpszMenuName = nullptr;
    return static_cast<ATOM>(0xC000 + classes.size());
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int, int, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    auto& platform = state();
    const auto* windowClass = findClass(className);
    if (windowClass == nullptr) {
        return nullptr;
    }
    width = width == CW_USEDEFAULT ? DEFAULT_WIDTH : width;
    height = height == CW_USEDEFAULT ? DEFAULT_HEIGHT : height;
    auto record = makeRecord(windowClass->definition, windowName, style, width, height);
    HWND window = record.get();
    window->instance = instance;
    if (!platform.displayOpen) {
        if (!platform.backend->openWindow(window->title.c_str(), window->clientWidth, window->clientHeight)) {
            return nullptr;
        }
        platform.displayOpen = true;
        applyIcon(windowClass->definition.hIcon);
    }
    platform.gdi.addWindowDC(window);
    platform.windows.push_back(std::move(record));
    if (platform.windows.front().get() == window) {
        platform.backend->attachFrame(&window->frame);
    }
    fillFrame(window);
    CREATESTRUCTA create{param,      instance,  menu,   parent, height, width, 0, 0, static_cast<LONG>(style),
                         windowName, className, exStyle};
    if (SendMessageA(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(window);
        return nullptr;
    }
    window->created = true;
    if (style & WS_VISIBLE) {
        ShowWindow(window, SW_SHOW);
    }
    return window;
}

BOOL DestroyWindow(HWND handle) {
    auto& platform = state();
    HWND window = platform.window(handle);
    if (window == nullptr || window->destroying) {
        return FALSE;
    }
    window->destroying = true;
    SendMessageA(window, WM_DESTROY, 0, 0);
    std::erase_if(platform.timers, [window](const auto& timer) { return timer.window == window; });
    std::erase_if(platform.queue, [window](const MSG& message) { return message.hwnd == window; });
    platform.gdi.remove(&window->dc);
    if (platform.windows.front().get() == window && platform.displayOpen) {
        platform.backend->closeWindow();
        platform.displayOpen = false;
    }
    std::erase_if(platform.windows, [window](const auto& record) { return record.get() == window; });
    return TRUE;
}

BOOL IsWindow(HWND window) {
    return state().window(window) != nullptr ? TRUE : FALSE;
}

BOOL ShowWindow(HWND handle, int command) {
    auto& platform = state();
    HWND window = platform.window(handle);
    if (window == nullptr) {
        return FALSE;
    }
    const bool wasVisible = window->visible;
    window->visible = command != SW_HIDE;
    if (window->visible && !wasVisible) {
        window->invalid = true;  // a window that appears owes its picture
    }
    if (platform.displayOpen && platform.windows.front().get() == window) {
        platform.backend->showWindow(window->visible);
        platform.present(window);
    }
    return wasVisible ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND handle) {
    HWND window = state().window(handle);
    if (window == nullptr) {
        return FALSE;
    }
    if (window->invalid && window->visible) {
        SendMessageA(window, WM_PAINT, 0, 0);
    }
    return TRUE;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    constexpr LPARAM ALT_HELD = LPARAM{1} << 29;
    constexpr UINT VK_F4 = 0x73;
    switch (message) {
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_SYSKEYDOWN:
            if (wParam == VK_F4 && (lParam & ALT_HELD) != 0) {
                SendMessageA(window, WM_CLOSE, 0, 0);
            }
            return 0;
        case WM_SETTEXT:
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
            return windowText(window, message, wParam, lParam);
        default:
            return 0;
    }
}

BOOL SetWindowTextA(HWND window, LPCSTR text) {
    if (text == nullptr || state().window(window) == nullptr) {
        return FALSE;
    }
    return SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != FALSE ? TRUE : FALSE;
}

int GetWindowTextA(HWND window, LPSTR buffer, int maxCount) {
    if (buffer == nullptr || maxCount <= 0) {
        return 0;
    }
    buffer[0] = '\0';
    return static_cast<int>(
        SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthA(HWND window) {
    return static_cast<int>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
}

BOOL GetClientRect(HWND handle, LPRECT rect) {
    HWND window = state().window(handle);
    if (window == nullptr || rect == nullptr) {
        return FALSE;
    }
    *rect = RECT{0, 0, window->clientWidth, window->clientHeight};
    return TRUE;
}

int GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN:
            return 1024;
        case SM_CYSCREEN:
            return 768;
        case SM_CYCAPTION:
            return CAPTION_HEIGHT;
        case SM_CXFIXEDFRAME:
        case SM_CYFIXEDFRAME:
            return FRAME_WIDTH;
        default:
            return 0;
    }
}

BOOL InvalidateRect(HWND handle, const RECT*, BOOL erase) {
    HWND window = state().window(handle);
    if (window == nullptr) {
        return FALSE;
    }
    window->invalid = true;
    window->eraseOwed = window->eraseOwed || erase != FALSE;
    return TRUE;
}

BOOL ValidateRect(HWND handle, const RECT*) {
    HWND window = state().window(handle);
    if (window == nullptr) {
        return FALSE;
    }
    window->invalid = false;
    return TRUE;
}

HDC BeginPaint(HWND handle, PAINTSTRUCT* paint) {
    HWND window = state().window(handle);
    if (window == nullptr || paint == nullptr) {
        return nullptr;
    }
    if (window->eraseOwed) {
        fillFrame(window);
    }
    *paint = PAINTSTRUCT{&window->dc, FALSE, RECT{0, 0, window->clientWidth, window->clientHeight},
                         FALSE,       FALSE, {}};
    window->invalid = false;
    window->eraseOwed = false;
    return &window->dc;
}

BOOL EndPaint(HWND handle, const PAINTSTRUCT*) {
    auto& platform = state();
    HWND window = platform.window(handle);
    if (window == nullptr) {
        return FALSE;
    }
    platform.present(window);
    return TRUE;
}

HDC GetDC(HWND handle) {
    HWND window = state().window(handle);
    return window == nullptr ? nullptr : &window->dc;
}

int ReleaseDC(HWND handle, HDC dc) {
    auto& platform = state();
    HWND window = platform.window(handle);
    if (window == nullptr || dc != &window->dc) {
        return 0;
    }
    platform.present(window);
    return 1;
}
