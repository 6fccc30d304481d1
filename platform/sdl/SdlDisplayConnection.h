// The display connection behind an SDL window: its socket, for waiting on it directly, and what
// happens when it breaks. Kept apart because the X11 headers it needs define names that clash with
// the platform's own.
#pragma once

#include <SDL.h>

namespace veskar::platform {

// The descriptor that becomes readable when the display server sends the window's connection
// anything (X11), or -1 where SDL's driver offers none that can be waited on this way.
[[nodiscard]] int displaySocketOf(SDL_Window* window);

// The X11 connection behind the window, or null where the driver has none.
[[nodiscard]] void* displayConnectionOf(SDL_Window* window);

// Whether events the display has sent already wait in the connection's queue (Xlib reads them
// while it waits for a reply, so the socket no longer shows them). Neither a system call nor a
// round trip; false for a null connection.
[[nodiscard]] bool eventsQueued(void* connection);

// From now on a broken X11 connection (the server gone, the client killed) ends the program through
// endAfterLostDisplay, so that it saves first, instead of the bare exit that Xlib makes by default.
void watchDisplayConnection();

}  // namespace veskar::platform
