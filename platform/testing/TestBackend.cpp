// The test backend's virtual clock, input script and frame capture.
#include "platform/testing/TestBackend.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/WinUser.h"
#include "platform/core/EndingSignals.h"
#include "platform/core/PlatformState.h"

namespace veskar::platform {
namespace {

// Close requests the backend sends after its script ran out before it decides the program hangs.
inline constexpr int MAX_CLOSES_AFTER_SCRIPT = 100;

}  // namespace

std::unique_ptr<Backend> CreateBackend() {
    return std::make_unique<TestBackend>();
}

TestBackend& TestBackend::reset() {
    resetState();
    return current();
}

TestBackend& TestBackend::current() {
    return static_cast<TestBackend&>(*state().backend);  // the only backend this program links
}

void TestBackend::add(Entry entry) {
    const auto after =
        std::upper_bound(script.begin(), script.end(), entry.time,
                         [](std::uint64_t time, const Entry& other) { return time < other.time; });
    script.insert(after, std::move(entry));
}

InputEvent TestBackend::key(InputEvent::Kind kind, UINT virtualKey) {
    InputEvent event;
    event.kind = kind;
    event.virtualKey = virtualKey;
    event.scanCode = virtualKey & 0x7F;
    return event;
}

void TestBackend::keyDown(std::uint64_t time, UINT virtualKey, char character) {
    InputEvent event = key(InputEvent::Kind::KeyDown, virtualKey);
    event.character = character;
    add({time, event, {}});
}

void TestBackend::keyRepeat(std::uint64_t time, UINT virtualKey) {
    InputEvent event = key(InputEvent::Kind::KeyDown, virtualKey);
    event.repeat = true;
    add({time, event, {}});
}

void TestBackend::keyUp(std::uint64_t time, UINT virtualKey) {
    add({time, key(InputEvent::Kind::KeyUp, virtualKey), {}});
}

void TestBackend::altKey(std::uint64_t time, UINT virtualKey) {
    InputEvent down = key(InputEvent::Kind::KeyDown, virtualKey);
    down.altDown = true;
    InputEvent up = key(InputEvent::Kind::KeyUp, virtualKey);
    up.altDown = true;
    add({time, down, {}});
    add({time, up, {}});
}

void TestBackend::tap(std::uint64_t time, UINT virtualKey, char character) {
    keyDown(time, virtualKey, character);
    keyUp(time + 1, virtualKey);
}

void TestBackend::type(std::uint64_t time, std::string_view text) {
    for (const char c : text) {
        InputEvent event;
        event.kind = InputEvent::Kind::Character;
        event.character = c;
        add({time, event, {}});
    }
}

void TestBackend::click(std::uint64_t time) {
    InputEvent event;
    event.kind = InputEvent::Kind::MouseDown;
    add({time, event, {}});
}

void TestBackend::requestClose(std::uint64_t time) {
    InputEvent event;
    event.kind = InputEvent::Kind::CloseRequest;
    add({time, event, {}});
}

void TestBackend::at(std::uint64_t time, std::function<void()> action) {
    add({time, {}, std::move(action)});
}

void TestBackend::plugPad(std::uint64_t time, DWORD slot) {
    at(time, [this, slot] { pads.at(slot).plugged = true; });
}

void TestBackend::unplugPad(std::uint64_t time, DWORD slot) {
    at(time, [this, slot] { pads.at(slot) = VirtualPad{}; });
}

void TestBackend::setPad(std::uint64_t time, DWORD slot, WORD buttons, SHORT stickX, SHORT stickY) {
    at(time, [this, slot, buttons, stickX, stickY] {
        XINPUT_GAMEPAD& controls = pads.at(slot).controls;
        controls.wButtons = buttons;
        controls.sThumbLX = stickX;
        controls.sThumbLY = stickY;
    });
}

bool TestBackend::readPad(DWORD slot, XINPUT_GAMEPAD& pad) {
    if (slot >= pads.size() || !pads[slot].plugged) {
        return false;
    }
    pad = pads[slot].controls;
    return true;
}

void TestBackend::setTimerCapacity(std::size_t capacity) {
    state().timerCapacity = capacity;
}

void TestBackend::setFreshBitmapColour(std::uint32_t color) {
    state().freshBitmapFill = color;
}

std::uint32_t TestBackend::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= lastWidth || y >= lastHeight) {
        return 0;
    }
    return lastFrame[static_cast<std::size_t>(y) * lastWidth + x] & 0xFFFFFF;
}

bool TestBackend::openWindow(const char* caption, int, int) {
    if (!displayAvailable) {
        return false;
    }
    open = true;
    title = caption;
    return true;
}

void TestBackend::setIcon(const std::uint32_t*, int width, int) {
    iconSide = width;
}

void TestBackend::present(const FrameView& picture, std::span<const RECT> changed) {
    if (picture.width != lastWidth || picture.height != lastHeight) {
        // A display of another size shows nothing yet; what the present names must fill it.
        lastWidth = picture.width;
        lastHeight = picture.height;
        lastFrame.assign(static_cast<std::size_t>(lastWidth) * lastHeight, 0);
    }
    for (const RECT& rect : changed) {
        const int left = std::clamp<int>(rect.left, 0, lastWidth);
        const int right = std::clamp<int>(rect.right, left, lastWidth);
        for (int y = std::max<int>(rect.top, 0); y < std::min<int>(rect.bottom, lastHeight); ++y) {
            std::copy(picture.row(y) + left, picture.row(y) + right,
                      lastFrame.begin() + static_cast<std::ptrdiff_t>(y) * lastWidth + left);
        }
    }
    changes.assign(changed.begin(), changed.end());
    ++presents;
}

bool TestBackend::nextEvent(InputEvent& event, std::optional<std::uint64_t> deadline) {
    for (;;) {
        if (takeEndingSignal()) {  // a test raised one, maybe from an action of its script
            event = InputEvent{};
            event.kind = InputEvent::Kind::CloseRequest;
            return true;
        }
        if (script.empty()) {
            break;
        }
        if (deadline && script.front().time > *deadline) {
            clock = std::max(clock, *deadline);
            return false;
        }
        Entry entry = std::move(script.front());
        script.erase(script.begin());
        clock = std::max(clock, entry.time);
        if (!entry.action) {
            event = entry.event;
            return true;
        }
        entry.action();
    }
    if (deadline && *deadline <= clock) {
        return false;  // a poll: the program is not waiting yet
    }
    if (++closesAfterScript > MAX_CLOSES_AFTER_SCRIPT) {
        std::fputs("TestBackend: the script has ended and the program still does not stop\n", stderr);
        std::abort();
    }
    event = InputEvent{};
    event.kind = InputEvent::Kind::CloseRequest;
    return true;
}

}  // namespace veskar::platform
