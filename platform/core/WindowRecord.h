// The object behind a window handle: its class procedure, caption, client frame and paint state.
#pragma once

#include <string>

#include "platform/WinUser.h"
#include "platform/core/GdiObjects.h"
#include "platform/core/WindowFrame.h"

struct HWND__ {
    WNDPROC procedure = nullptr;
    HINSTANCE instance = nullptr;
    std::string title;
    DWORD style = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    bool visible = false;
    bool invalid = false;                 // a WM_PAINT is owed
    bool eraseOwed = false;               // the next BeginPaint fills the frame with the class background
    bool destroying = false;              // WM_DESTROY is being sent by DestroyWindow
    HBRUSH background = nullptr;          // the class background brush (may be a system colour + 1)
    bool created = false;                 // WM_CREATE has returned successfully
    veskar::platform::WindowFrame frame;  // the client area's pixels, what the display shows
    HDC__ dc;                             // the window's one device context

    HWND__(int width, int height) : clientWidth(width), clientHeight(height), frame(width, height) {}
};
