// The X11 connection's descriptor through SDL's window-manager information, and its I/O error
// handler.
#include "platform/sdl/SdlDisplayConnection.h"

#include <SDL_syswm.h>

#include "platform/core/LostDisplay.h"

namespace veskar::platform {

#if defined(SDL_VIDEO_DRIVER_X11)
namespace {

// Xlib calls it when the connection fails; it must not return, and must not call Xlib again.
int lostConnection(Display*) {
    endAfterLostDisplay();
}

}  // namespace
#endif

void* displayConnectionOf(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window != nullptr && SDL_GetWindowWMInfo(window, &info) == SDL_TRUE &&
        info.subsystem == SDL_SYSWM_X11) {
        return info.info.x11.display;
    }
#else
    (void)window;
#endif
    return nullptr;
}

int displaySocketOf(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
    if (auto* display = static_cast<Display*>(displayConnectionOf(window))) {
        return ConnectionNumber(display);
    }
#else
    (void)window;
#endif
    return -1;
}

bool eventsQueued(void* connection) {
#if defined(SDL_VIDEO_DRIVER_X11)
    return connection != nullptr && XEventsQueued(static_cast<Display*>(connection), QueuedAlready) > 0;
#else
    (void)connection;
    return false;
#endif
}

void watchDisplayConnection() {
#if defined(SDL_VIDEO_DRIVER_X11)
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver != nullptr && SDL_strcmp(driver, "x11") == 0) {
        XSetIOErrorHandler(lostConnection);
    }
#endif
}

}  // namespace veskar::platform
