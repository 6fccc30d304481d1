// The socket of the display connection behind an SDL window, for waiting on it directly.
#pragma once

#include <SDL.h>

namespace veskar::platform {

// The descriptor that becomes readable when the display server sends the window's connection
// anything (X11), or -1 where SDL's driver offers none that can be waited on this way. Kept apart
// because the X11 headers it needs define names that clash with the platform's own.
[[nodiscard]] int displaySocketOf(SDL_Window* window);

}  // namespace veskar::platform
