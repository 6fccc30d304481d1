// Opening the replay tool's window and writing its frames.
#include "tools/replay/ReplayWindow.h"

#include <cstdio>
#include <vector>

#include "platform/testing/TestBackend.h"
#include "shell/GlobalResources.h"
#include "shell/ShellState.h"

namespace {

inline constexpr char CLASS_NAME[] = "VESKAR_REPLAY";

std::unique_ptr<Screen>* paintedScreen = nullptr;  // the screen the next WM_PAINT goes to

LRESULT CALLBACK replayProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT && paintedScreen != nullptr && *paintedScreen) {
        return (*paintedScreen)->handleMessage(window, message, wParam, lParam, *paintedScreen);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

ReplayWindow::ReplayWindow() {
    veskar::platform::TestBackend::reset();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = replayProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = CLASS_NAME;
    RegisterClassExA(&windowClass);
    window = CreateWindowExA(0, CLASS_NAME, "VESKAR", WINDOW_STYLE, CW_USEDEFAULT, CW_USEDEFAULT,
                             WINDOW_WIDTH, WINDOW_HEIGHT, nullptr, nullptr, instance, nullptr);
    if (window != nullptr) {
        ShowWindow(window, SW_SHOWNORMAL);
        HDC windowDC = GetDC(window);
        loadBitmaps(windowDC, instance);
        ReleaseDC(window, windowDC);
    }
}

ReplayWindow::~ReplayWindow() {
    releaseBitmaps();
    if (window != nullptr) {
        DestroyWindow(window);
    }
}

void ReplayWindow::repaint(std::unique_ptr<Screen>& screen) {
    if (window == nullptr || !screen) {
        return;
    }
    screen->invalidate(window, 1);
    paintedScreen = &screen;
    UpdateWindow(window);
    paintedScreen = nullptr;
}

bool ReplayWindow::writeFrame(std::unique_ptr<Screen>& screen, const std::string& path) {
    if (window == nullptr || !screen) {
        return false;
    }
    repaint(screen);
    const auto& backend = veskar::platform::TestBackend::current();
    const int width = backend.frameWidth();
    const int height = backend.frameHeight();
    std::vector<unsigned char> bytes;
    bytes.reserve(static_cast<std::size_t>(width) * height * 3);
    for (const std::uint32_t pixel : backend.frame()) {
        bytes.push_back(static_cast<unsigned char>(pixel >> 16));
        bytes.push_back(static_cast<unsigned char>(pixel >> 8));
        bytes.push_back(static_cast<unsigned char>(pixel));
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
