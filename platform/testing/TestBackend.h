// The test backend: a virtual clock that jumps to the next deadline instead of sleeping, a script of
// timed input events and actions, and the last presented frame kept as pixels for inspection.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Backend.h"

namespace veskar::platform {

class TestBackend final : public Backend {
  public:
    // Drops all platform state (windows, timers, queue, objects) and starts a fresh test backend at
    // virtual time 0. Every test that runs the platform starts with this.
    static TestBackend& reset();
    // The backend of the current platform state.
    static TestBackend& current();

    // Script: events are delivered in time order (ties in the order they were added) once the
    // program waits past their time. When the script is used up the program receives a close
    // request, as if the user had closed the window.
    void keyDown(std::uint64_t time, UINT virtualKey, char character = 0);
    void keyRepeat(std::uint64_t time, UINT virtualKey);
    void keyUp(std::uint64_t time, UINT virtualKey);
    // Alt held with a key: down and up at the given time.
    void altKey(std::uint64_t time, UINT virtualKey);
    // Down at `time`, up one millisecond later.
    void tap(std::uint64_t time, UINT virtualKey, char character = 0);
    // Types `text` (Windows-1252 bytes) at `time` as text input does: one Character event each.
    void type(std::uint64_t time, std::string_view text);
    void click(std::uint64_t time);
    void requestClose(std::uint64_t time);
    // Runs `action` on the loop's thread when the clock reaches `time` (to inspect the frame, the
    // screen or the settings mid-run). The action must not call the window-manager API.
    void at(std::uint64_t time, std::function<void()> action);
    // Moves the clock on, as if the program had been busy that long (no events are delivered).
    void advanceClock(std::uint64_t milliseconds) { clock += milliseconds; }
    // Makes the next display window fail to open.
    void refuseDisplay() { displayAvailable = false; }
    // Fills every new compatible bitmap with this 0x00RRGGBB colour, so that drawing which relies on
    // a new bitmap's undefined content shows.
    void setFreshBitmapColour(std::uint32_t color);
    // Limits the number of timers SetTimer grants (0: every SetTimer fails).
    void setTimerCapacity(std::size_t capacity);
    // What the clipboard holds (Windows-1252) from now on.
    void setClipboard(std::string text) { clipboard = std::move(text); }
    // Virtual pads: plugged into or pulled out of a slot (0..3) at `time`; their controls set at
    // `time` (buttons as XINPUT_GAMEPAD_* bits, sticks -32768..32767, up positive). A pad pulled out
    // forgets its controls.
    void plugPad(std::uint64_t time, DWORD slot);
    void unplugPad(std::uint64_t time, DWORD slot);
    void setPad(std::uint64_t time, DWORD slot, WORD buttons, SHORT stickX = 0, SHORT stickY = 0);

    // Observations.
    [[nodiscard]] std::uint32_t pixel(int x, int y) const;  // 0x00RRGGBB of the last frame; 0 outside
    [[nodiscard]] const std::vector<std::uint32_t>& frame() const { return lastFrame; }
    [[nodiscard]] int frameWidth() const { return lastWidth; }
    [[nodiscard]] int frameHeight() const { return lastHeight; }
    [[nodiscard]] int presentCount() const { return presents; }
    // The rectangles the last present named as changed.
    [[nodiscard]] const std::vector<RECT>& lastChanges() const { return changes; }
    [[nodiscard]] bool windowOpen() const { return open; }
    [[nodiscard]] bool windowVisible() const { return visible; }
    [[nodiscard]] const std::string& windowTitle() const { return title; }
    [[nodiscard]] int iconWidth() const { return iconSide; }
    [[nodiscard]] std::size_t pendingScript() const { return script.size(); }
    [[nodiscard]] bool textInputOn() const { return textInput; }

    [[nodiscard]] std::uint64_t now() override { return clock; }
    [[nodiscard]] bool openWindow(const char* caption, int width, int height) override;
    void setIcon(const std::uint32_t* pixels, int width, int height) override;
    void showWindow(bool show) override { visible = show; }
    void closeWindow() override {
        open = false;
        visible = false;
    }
    // The test backend keeps its own copy of what the display shows, made only from the rectangles
    // each present names, so that a change the core fails to name shows as a stale pixel.
    void attachFrame(WindowFrame*) override {}
    void present(const FrameView& picture, std::span<const RECT> changed) override;
    [[nodiscard]] bool nextEvent(InputEvent& event, std::optional<std::uint64_t> deadline) override;
    void setTextInput(bool enabled) override { textInput = enabled; }
    [[nodiscard]] std::string clipboardText() override { return clipboard; }
    [[nodiscard]] bool readPad(DWORD slot, XINPUT_GAMEPAD& pad) override;

  private:
    struct Entry {
        std::uint64_t time = 0;
        InputEvent event;
        std::function<void()> action;
    };
    void add(Entry entry);
    static InputEvent key(InputEvent::Kind kind, UINT virtualKey);

    std::uint64_t clock = 0;  // milliseconds
    std::vector<Entry> script;
    int closesAfterScript = 0;
    bool displayAvailable = true;
    bool open = false;
    bool visible = false;
    std::string title;
    int iconSide = 0;
    std::vector<std::uint32_t> lastFrame;
    int lastWidth = 0;
    int lastHeight = 0;
    int presents = 0;
    std::vector<RECT> changes;
    bool textInput = false;
    std::string clipboard;
    struct VirtualPad {
        bool plugged = false;
        XINPUT_GAMEPAD controls;
    };
    std::array<VirtualPad, XUSER_MAX_COUNT> pads{};
};

}  // namespace veskar::platform
