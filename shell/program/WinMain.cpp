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

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    LoadStringA(instance, CAPTION_STRING, windowCaption, TEXT_CAPACITY);
    LoadStringA(instance, CLASS_NAME_STRING, windowClassName, TEXT_CAPACITY);
    hInstance = instance;
    registerWindowClass();
    if (createMainWindow(instance, showCommand) == nullptr) {
        return 0;
    }
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
