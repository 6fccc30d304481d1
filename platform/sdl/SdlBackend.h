// The game's backend: one SDL2 window whose drawable area is the client area, drawn 1:1, the SDL
// keyboard and mouse turned into input events, and the system's monotonic clock.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <deque>
#include <vector>

#include "platform/core/Backend.h"

namespace veskar::platform {

class SdlBackend final : public Backend {
  public:
    SdlBackend() = default;
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

  private:
    // Turns an SDL event into an input event; false for events the platform does not pass on.
    bool translate(const SDL_Event& sdlEvent, InputEvent& event);
    void redraw();
    // The next character of the last text event, if any is left.
    bool takeTyped(InputEvent& event);

    bool videoStarted = false;
    SDL_Window* window = nullptr;
    std::vector<std::uint32_t> lastFrame;  // kept to redraw after the window was covered
    int frameWidth = 0;
    int frameHeight = 0;
    bool textInput = false;
    std::deque<char> typed;  // Windows-1252 characters of a text event, delivered one by one
};

}  // namespace veskar::platform
