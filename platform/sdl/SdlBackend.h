// The game's backend: one SDL2 window whose drawable area is the client area, drawn 1:1 or enlarged
// by a whole factor (platform/sdl/Presentation.h), the SDL keyboard and mouse turned into input
// events, and the system's monotonic clock.
//
// Frames go through SDL's plain window surface (X11 shared memory), not through a GL renderer
// where the driver can do without one: the game blits 32-bit pixels itself, and a GL driver would
// cost far more memory, start-up time and time per frame than the copy. The loop waits on the
// display connection's socket where SDL exposes one, so that an idle 10 ms tick costs one wake-up
// rather than several passes over the display connection; elsewhere it waits through SDL.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <deque>
#include <optional>
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
    void present(const std::uint32_t* pixels, int width, int height) override;
    [[nodiscard]] bool nextEvent(InputEvent& event, std::optional<std::uint64_t> deadline) override;
    void setTextInput(bool enabled) override;
    [[nodiscard]] std::string clipboardText() override;
    [[nodiscard]] bool readPad(DWORD slot, XINPUT_GAMEPAD& pad) override;

  private:
    // Turns an SDL event into an input event; false for events the platform does not pass on.
    bool translate(const SDL_Event& sdlEvent, InputEvent& event);
    // Takes the next event SDL holds, first gathering new ones from the display when some may wait.
    bool takeEvent(InputEvent& event);
    // Sleeps until the display has something for the window or the time (none: no limit) is up.
    void wait(std::optional<std::uint64_t> milliseconds);
    // Creates the hidden window at the size the presentation asks for, or as large as fits.
    SDL_Window* makeWindow(const char* title, int width, int height);
    // The largest enlargement up to `wanted` whose window fits the screen's usable area; `wanted`
    // on the drivers without a screen.
    static int scaleForScreen(int wanted, int width, int height);
    // Lets SDL present the window surface without a GL renderer where the driver allows it.
    void presentWithoutRenderer();
    // Puts an enlarged or centred frame on the surface, black around it.
    void presentPlaced(SDL_Surface* surface, const std::uint32_t* pixels, int width, int height);
    void redraw();
    // The next character of the last text event, if any is left.
    bool takeTyped(InputEvent& event);

    bool videoStarted = false;
    SDL_Window* window = nullptr;
    SDL_Surface* drawnSurface = nullptr;  // the window surface holding the last frame, to show again
    SDL_Surface* blackSurface = nullptr;  // the window surface whose border is black already
    int scale = 1;                        // the frame's enlargement; 0: the largest that fits the screen
    std::vector<std::uint32_t> enlarged;  // the enlarged frame, for surfaces in another pixel format
    int displaySocket = -1;               // the display connection to wait on; -1: wait through SDL
    bool gatherOwed = true;               // display traffic since SDL last gathered events
    std::uint64_t lastGather = 0;         // clock time SDL last gathered events
    bool textInput = false;
    std::deque<char> typed;  // Windows-1252 characters of a text event, delivered one by one
    StartupTrace startupTrace;
    SdlPads pads;
};

}  // namespace veskar::platform
