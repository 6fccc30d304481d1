// Test helper: a fresh platform on the test backend with one window whose procedure records every
// message it receives and may hand them to a test's own handler.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/Platform.h"
#include "platform/testing/TestBackend.h"

namespace veskar::testing {

struct Seen {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
};

inline std::vector<Seen>& seenMessages() {
    static std::vector<Seen> seen;
    return seen;
}

using Handler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

inline Handler& testHandler() {
    static Handler handler;
    return handler;
}

inline LRESULT CALLBACK recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    seenMessages().push_back({message, wParam, lParam, GetTickCount()});
    if (message == WM_DESTROY) {
        PostQuitMessage(0);  // ends the test's loop like a program's main window does
    }
    if (testHandler()) {
        return testHandler()(window, message, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The messages seen so far with this number.
inline std::vector<Seen> seenOf(UINT message) {
    std::vector<Seen> found;
    for (const Seen& seen : seenMessages()) {
        if (seen.message == message)
            found.push_back(seen);
    }
    return found;
}

// A handler that paints the window dark green and asks for a paint on every timer tick: a window
// that must keep working beneath a modal box.
inline LRESULT paintsGreenOnEveryTick(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        HBRUSH brush = CreateSolidBrush(RGB(0, 64, 0));
        FillRect(dc, &paint.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_TIMER) {
        InvalidateRect(window, nullptr, FALSE);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Resets the platform and creates a shown 640 by 480 window of a fresh recording class.
inline HWND makeTestWindow(const Handler& handler = {}) {
    veskar::platform::TestBackend::reset();
    seenMessages().clear();
    testHandler() = handler;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = recordingProcedure;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = "TEST_CLASS";
    RegisterClassExA(&windowClass);
    HWND window = CreateWindowExA(0, "TEST_CLASS", "TEST", 0x00080001, CW_USEDEFAULT, CW_USEDEFAULT, 640, 480,
                                  nullptr, nullptr, nullptr, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    return window;
}

// Takes messages until WM_QUIT or `limit` messages, dispatching each; returns how many it took.
inline int pumpUntilQuit(int limit) {
    MSG message{};
    int taken = 0;
    while (taken < limit && GetMessageA(&message, nullptr, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        ++taken;
    }
    return taken;
}

}  // namespace veskar::testing
