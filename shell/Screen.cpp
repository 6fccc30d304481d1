// Message routing and the double-buffered paint shared by every screen.
#include "shell/Screen.h"

namespace {
std::uint64_t screensMade = 0;
}  // namespace

Screen::Screen() : serial(++screensMade) {}

int Screen::onKeyDown(HWND, WPARAM, LPARAM, std::unique_ptr<Screen>&) {
    return 0;
}

int Screen::onKeyUp(HWND, WPARAM, LPARAM, std::unique_ptr<Screen>&) {
    return 0;
}

int Screen::onTimer(HWND, WPARAM, LPARAM, std::unique_ptr<Screen>&) {
    return 0;
}

int Screen::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                          std::unique_ptr<Screen>& currentScreen) {
    switch (message) {
        case WM_PAINT:
            return paint(window, wParam, lParam, currentScreen);
        case WM_KEYDOWN:
            return onKeyDown(window, wParam, lParam, currentScreen);
        case WM_KEYUP:
            return onKeyUp(window, wParam, lParam, currentScreen);
        case WM_TIMER:
            return onTimer(window, wParam, lParam, currentScreen);
        default:
            return 0;
    }
}

void Screen::onEnd(HWND) {}

int Screen::padKey(std::size_t, PadControl control) const {
    switch (control) {
        case PadControl::Up:
            return VK_UP;
        case PadControl::Down:
            return VK_DOWN;
        case PadControl::Left:
            return VK_LEFT;
        case PadControl::Right:
            return VK_RIGHT;
        case PadControl::A:
            return VK_RETURN;
        case PadControl::B:
        case PadControl::Back:
            return VK_ESCAPE;
        case PadControl::Start:
            break;
    }
    return 0;
}

void Screen::onPadLost(HWND, std::size_t) {}

void Screen::invalidate(HWND window, BYTE erase) {
    eraseBackground = erase;
    InvalidateRect(window, nullptr, FALSE);
}

// Draws into a client-sized memory bitmap and copies it to the window in one transfer. After
// `draw` the screen may have been replaced and deleted, so only locals are used from then on.
int Screen::paint(HWND window, WPARAM wParam, LPARAM lParam, std::unique_ptr<Screen>& currentScreen) {
    PAINTSTRUCT paintInfo{};
    HDC windowDC = BeginPaint(window, &paintInfo);
    RECT client{};
    GetClientRect(window, &client);
    HDC buffer = CreateCompatibleDC(windowDC);
    HBITMAP bufferBitmap =
        CreateCompatibleBitmap(windowDC, client.right - client.left, client.bottom - client.top);
    HGDIOBJ previous = SelectObject(buffer, bufferBitmap);
    if (eraseBackground) {
        HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_MENUTEXT));
        FillRect(buffer, &client, brush);
        DeleteObject(brush);
    }
    eraseBackground = 0;
    const int result = draw(window, wParam, lParam, buffer, currentScreen);
    BitBlt(windowDC, client.left, client.top, client.right - client.left, client.bottom - client.top, buffer,
           0, 0, SRCCOPY);
    SelectObject(buffer, previous);
    DeleteObject(bufferBitmap);
    DeleteDC(buffer);
    EndPaint(window, &paintInfo);
    return result;
}
