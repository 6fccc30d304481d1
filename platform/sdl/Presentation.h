// How the SDL backend shows the window's frames: enlarged by a whole factor with sharp pixels, in a
// window or on the whole screen. The process entry sets it before the first window opens; the game's
// coordinates, client size and timing stay as they are, only the picture on the display grows.
#pragma once

namespace veskar::platform {

struct Presentation {
    int scale = 1;            // 1 or more: the window is this many times the client size
    bool fullscreen = false;  // the whole screen, enlarged by the largest whole factor that fits
};

// Called before the first window opens (a window already open keeps its size).
void setPresentation(const Presentation& presentation);
[[nodiscard]] Presentation presentation();

}  // namespace veskar::platform
