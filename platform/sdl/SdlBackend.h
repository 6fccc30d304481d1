// The game's backend: one SDL2 window whose drawable area is the client area, drawn 1:1 or enlarged
// by a whole factor (platform/sdl/Presentation.h), the SDL keyboard and mouse turned into input
// events, and the system's monotonic clock.
//
// Frames go through SDL's plain window surface (X11 shared memory), not through a GL renderer
// where the driver can do without one: the game blits 32-bit pixels itself, and a GL driver would
// cost far more memory, start-up time and time per frame than the copy. Shown 1:1 in the surface's
// own pixel format, the window's frame lives in the surface itself, so the game's copy to the
// window is the only copy, and a present sends the display only the rectangles that changed. The
// loop waits on the display connection's socket where SDL exposes one, so that an idle 10 ms tick
// costs one wake-up rather than several passes over the display connection; elsewhere it waits
// through SDL.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

#include "platform/core/Backend.h"
#include "platform/sdl/SdlPads.h"
#include "platform/sdl/StartupTrace.h"

namespace veskar::platform {

class SdlBackend final : public Backend {
  public:
    SdlBackend();
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;
    ~SdlBackend() override;

    [[nodiscard]] std::uint64_t now() override;
    [[nodiscard]] bool openWindow(const char* title, int width, int height) override;
    void setIcon(const std::uint32_t* pixels, int width, int height) override;
    void showWindow(bool visible) override;
    void closeWindow() override;
    void attachFrame(WindowFrame* attached) override;
    void present(const FrameView& picture, std::span<const RECT> changed) override;
    [[nodiscard]] bool nextEvent(InputEvent& event, std::optional<std::uint64_t> deadline) override;
    void setTextInput(bool enabled) override;
    [[nodiscard]] std::string clipboardText() override;
    [[nodiscard]] bool readPad(DWORD slot, XINPUT_GAMEPAD& pad) override;

  private:
    // Turns an SDL event into an input event; false for events the platform does not pass on.
    bool translate(const SDL_Event& sdlEvent, InputEvent& event);
    // Takes the next event SDL holds, first gathering new ones from the display when some may wait.
    bool takeEvent(InputEvent& event);
    // Sleeps until the display has something for the window or the clock reaches the deadline
    // (none: no limit).
    void wait(std::optional<std::uint64_t> deadline);
    // Creates the hidden window at the size the presentation asks for, or as large as fits.
    SDL_Window* makeWindow(const char* title, int width, int height);
    // The largest enlargement up to `wanted` whose window fits the screen's usable area; `wanted`
    // on the drivers without a screen.
    static int scaleForScreen(int wanted, int width, int height);
    // Lets SDL present the window surface without a GL renderer where the driver allows it.
    void presentWithoutRenderer();
    // The window surface, after moving the frame out of the one SDL is about to replace.
    SDL_Surface* windowSurface();
    // Whether the frame can live in the surface: shown 1:1, of the frame's size and pixel format.
    [[nodiscard]] bool canHoldFrame(const SDL_Surface* surface) const;
    // Moves a frame that lives in the window surface back into its own memory.
    void releaseFrame();
    // SDL is about to replace the window surface: the frame leaves it, and the next one is new.
    void forgetSurface();
    // Copies the changed rectangles of the picture onto the surface, enlarged and centred on black,
    // and shows them; all of it on a new surface.
    void presentCopy(SDL_Surface* surface, const FrameView& picture, std::span<const RECT> changed,
                     bool fresh);
    // Shows the changed rectangles of the surface.
    void updateRects(std::span<const SDL_Rect> rects);
    // After the program's own calls on the display connection: events read meanwhile must be gathered.
    void noteDisplayCalls();
    // SDL replaces the window surface of a window whose size changed: the frame leaves it at once.
    static int watchWindow(void* backend, SDL_Event* event);
    void redraw();
    // The next character of the last text event, if any is left.
    bool takeTyped(InputEvent& event);

    bool videoStarted = false;
    SDL_Window* window = nullptr;
    SDL_Surface* drawnSurface = nullptr;  // the window surface holding the last frame, to show again
    SDL_Surface* blackSurface = nullptr;  // the window surface whose border is black already
    WindowFrame* frame = nullptr;         // the window's frame
    SDL_Surface* frameSurface = nullptr;  // the window surface the frame lives in, if it does
    bool presented = false;               // a picture went to the window since it opened
    int scale = 1;                        // the frame's enlargement; 0: the largest that fits the screen
    std::vector<std::uint32_t> enlarged;  // the enlarged frame, for surfaces in another pixel format
    std::vector<SDL_Rect> shown;          // the surface rectangles of one present
    int displaySocket = -1;               // the display connection to wait on; -1: wait through SDL
    void* connection = nullptr;           // the X11 connection, whose queue tells if events wait
    bool gatherOwed = true;               // display traffic since SDL last gathered events
    std::uint64_t lastGather = 0;         // clock time SDL last gathered events
    std::uint64_t lastTraffic = 0;        // clock time of the last display traffic
    bool watching = false;                // watchWindow is installed
    bool textInput = false;
    std::deque<char> typed;  // Windows-1252 characters of a text event, delivered one by one
    StartupTrace startupTrace;
    SdlPads pads;
};

}  // namespace veskar::platform
