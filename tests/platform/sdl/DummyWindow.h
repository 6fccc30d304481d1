// Test helper: a fresh platform on SDL's dummy drivers and one window of a new class, so that the
// SDL backend runs SDL and its event loop with no display.
#pragma once

#include <cstdlib>

#include "platform/Platform.h"
#include "platform/core/PlatformState.h"

namespace veskar::testing {

// A window of class `className` (one not registered before) whose procedure is `procedure`; null
// when it cannot be made. Not shown yet.
inline HWND openDummyWindow(const char* className, WNDPROC procedure = DefWindowProcA) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    veskar::platform::resetState();
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.lpszClassName = className;
    if (RegisterClassExA(&windowClass) == 0) {
        return nullptr;
    }
    return CreateWindowExA(0, className, className, 0x00080001, CW_USEDEFAULT, CW_USEDEFAULT, 640, 480,
                           nullptr, nullptr, nullptr, nullptr);
}

}  // namespace veskar::testing
