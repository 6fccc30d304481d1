// The X11 connection's descriptor through SDL's window-manager information.
#include "platform/sdl/SdlDisplaySocket.h"

#include <SDL_syswm.h>

namespace veskar::platform {

int displaySocketOf(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window != nullptr && SDL_GetWindowWMInfo(window, &info) == SDL_TRUE &&
        info.subsystem == SDL_SYSWM_X11 && info.info.x11.display != nullptr) {
        return ConnectionNumber(info.info.x11.display);
    }
#else
    (void)window;
#endif
    return -1;
}

}  // namespace veskar::platform
