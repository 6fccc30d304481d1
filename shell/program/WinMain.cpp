// The program's entry point: registers the window class, creates the one game window and runs
// the message loop until the quit message.
#include "platform/Platform.h"
#include "shell/ShellState.h"
#include "shell/program/WindowProcedure.h"

namespace {

void registerWindowClass() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = hInstance;
    windowClass.hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(ICON_RESOURCE));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = windowClassName;
    windowClass.hIconSm = windowClass.hIcon;
    RegisterClassExA(&windowClass);  // a failure shows as the window creation failing
}

HWND createMainWindow(HINSTANCE instance, int showCommand) {
    hInstance = instance;
    HWND window =
        CreateWindowExA(0, windowClassName, windowCaption, WINDOW_STYLE, CW_USEDEFAULT, CW_USEDEFAULT,
                        WINDOW_WIDTH, WINDOW_HEIGHT, nullptr, nullptr, instance, nullptr);
    if (window != nullptr) {
        ShowWindow(window, showCommand);
        UpdateWindow(window);
    }
    return window;
}

// The frame timer must tick every 10 ms; Windows' default timer resolution of 15.6 ms would run
// every game a third slower. Raised for the program's life, as the system asks, and given back.
inline constexpr UINT TIMER_RESOLUTION = 1;  // milliseconds

int runMessageLoop() {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    LoadStringA(instance, CAPTION_STRING, windowCaption, TEXT_CAPACITY);
    LoadStringA(instance, CLASS_NAME_STRING, windowClassName, TEXT_CAPACITY);
    hInstance = instance;
    registerWindowClass();
    const bool finerTimer = timeBeginPeriod(TIMER_RESOLUTION) == TIMERR_NOERROR;
    // A window that cannot be made (no display, or start-up failed) ends the program as a failure.
    const int status = createMainWindow(instance, showCommand) == nullptr ? 1 : runMessageLoop();
    if (finerTimer) {
        timeEndPeriod(TIMER_RESOLUTION);
    }
    return status;
}
