// The message queue and loop: input from the backend, posted messages, quit, synthesised paints and
// coalesced timer ticks, in that order of precedence.
#include <algorithm>
#include <array>
#include <optional>

#include "platform/WinUser.h"
#include "platform/core/Beat.h"
#include "platform/core/PlatformState.h"

using veskar::platform::InputEvent;
using veskar::platform::state;

namespace {

inline constexpr UINT MINIMUM_TIMER_INTERVAL = 10;  // milliseconds
inline constexpr LPARAM EXTENDED_KEY = LPARAM{1} << 24;
inline constexpr LPARAM ALT_HELD = LPARAM{1} << 29;
inline constexpr LPARAM WAS_DOWN = LPARAM{1} << 30;
inline constexpr LPARAM RELEASED = LPARAM{1} << 31;

MSG keyMessage(HWND window, const InputEvent& event) {
    // Alt combinations, Alt itself and F10 belong to the system, as on the desktop the game knows.
    const bool system = event.altDown || event.virtualKey == VK_F10 || event.virtualKey == VK_MENU;
    const bool down = event.kind == InputEvent::Kind::KeyDown;
    LPARAM data = 1 | (static_cast<LPARAM>(event.scanCode & 0xFF) << 16);
    data |= event.extended ? EXTENDED_KEY : 0;
    data |= event.altDown ? ALT_HELD : 0;
    data |= (!down || event.repeat) ? WAS_DOWN : 0;
    data |= down ? 0 : RELEASED;
    const UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    if (down) {
        state().typedCharacters[event.virtualKey & 0xFF] = event.character;
    }
    return MSG{window, message, event.virtualKey, data, GetTickCount(), {}};
}

// Turns a backend event into a queued message for the display window.
void enqueue(const InputEvent& event) {
    auto& platform = state();
    if (!platform.displayOpen || platform.windows.empty()) {
        return;
    }
    HWND window = platform.windows.front().get();
    switch (event.kind) {
        case InputEvent::Kind::KeyDown:
        case InputEvent::Kind::KeyUp:
            platform.queue.push_back(keyMessage(window, event));
            break;
        case InputEvent::Kind::Character:
            platform.queue.push_back(
                MSG{window, WM_CHAR, static_cast<unsigned char>(event.character), 1, GetTickCount(), {}});
            break;
        case InputEvent::Kind::MouseDown:
            platform.queue.push_back(MSG{window, WM_LBUTTONDOWN, 0, 0, GetTickCount(), {}});
            break;
        case InputEvent::Kind::CloseRequest:
            platform.queue.push_back(MSG{window, WM_CLOSE, 0, 0, GetTickCount(), {}});
            break;
    }
}

void pollInput() {
    auto& platform = state();
    InputEvent event;
    while (platform.backend->nextEvent(event, platform.backend->now())) {
        enqueue(event);
    }
}

veskar::platform::WindowTimer* dueTimer(std::uint64_t now) {
    auto& timers = state().timers;
    veskar::platform::WindowTimer* due = nullptr;
    for (auto& timer : timers) {
        if (timer.deadline <= now && (due == nullptr || timer.deadline < due->deadline)) {
            due = &timer;
        }
    }
    return due;
}

// Whether a look at the next message takes it off the queue.
enum class Taking { Remove, Leave };

// The next message without waiting.
bool nextMessage(MSG& message, Taking taking) {
    const bool remove = taking == Taking::Remove;
    auto& platform = state();
    pollInput();
    if (!platform.queue.empty()) {
        message = platform.queue.front();
        if (remove) {
            platform.queue.pop_front();
        }
        return true;
    }
    if (platform.quitPending) {
        message = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(platform.quitCode), 0, GetTickCount(), {}};
        platform.quitPending = platform.quitPending && !remove;
        return true;
    }
    for (const auto& window : platform.windows) {
        if (window->invalid && window->visible) {
            // Not removed: the window owes a paint until BeginPaint validates it.
            message = MSG{window.get(), WM_PAINT, 0, 0, GetTickCount(), {}};
            return true;
        }
    }
    const std::uint64_t now = platform.backend->now();
    if (auto* timer = dueTimer(now)) {
        message = MSG{timer->window, WM_TIMER, timer->id, 0, static_cast<DWORD>(now), {}};
        if (remove) {
            // No drift while on time; when late, one tick for all the missed ones and at least half an
            // interval before the next, back on the beat, so a slow consumer never sees a backlog or
            // a burst.
            const std::uint64_t next = timer->deadline + timer->interval;
            timer->deadline =
                next > now ? next : veskar::platform::nearestBeat(now + timer->interval, timer->interval);
        }
        return true;
    }
    return false;
}

std::optional<std::uint64_t> earliestDeadline() {
    const auto& timers = state().timers;
    if (timers.empty()) {
        return std::nullopt;
    }
    return std::min_element(timers.begin(), timers.end(),
                            [](const auto& a, const auto& b) { return a.deadline < b.deadline; })
        ->deadline;
}

}  // namespace

BOOL GetMessageA(LPMSG message, HWND, UINT, UINT) {
    if (message == nullptr) {
        return -1;
    }
    auto& platform = state();
    while (!nextMessage(*message, Taking::Remove)) {
        InputEvent event;
        if (platform.backend->nextEvent(event, earliestDeadline())) {
            enqueue(event);
        }
    }
    return message->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessageA(LPMSG message, HWND, UINT, UINT, UINT removeFlags) {
    if (message == nullptr) {
        return FALSE;
    }
    return nextMessage(*message, (removeFlags & PM_REMOVE) != 0 ? Taking::Remove : Taking::Leave) ? TRUE
                                                                                                  : FALSE;
}

BOOL TranslateMessage(const MSG* message) {
    if (message == nullptr || (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN)) {
        return FALSE;
    }
    const char typed = state().typedCharacters[message->wParam & 0xFF];
    if (typed == 0) {
        return FALSE;
    }
    const UINT charMessage = message->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    state().queue.push_front(MSG{
        message->hwnd, charMessage, static_cast<unsigned char>(typed), message->lParam, message->time, {}});
    return TRUE;
}

LRESULT DispatchMessageA(const MSG* message) {
    if (message == nullptr) {
        return 0;
    }
    return SendMessageA(message->hwnd, message->message, message->wParam, message->lParam);
}

LRESULT SendMessageA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = state().window(handle);
    if (window == nullptr) {
        return 0;
    }
    return window->procedure(window, message, wParam, lParam);
}

BOOL PostMessageA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& platform = state();
    if (handle != nullptr && platform.window(handle) == nullptr) {
        return FALSE;
    }
    platform.queue.push_back(MSG{handle, message, wParam, lParam, GetTickCount(), {}});
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    auto& platform = state();
    platform.quitPending = true;
    platform.quitCode = exitCode;
}

UINT_PTR SetTimer(HWND handle, UINT_PTR id, UINT elapse, TIMERPROC timerProc) {
    auto& platform = state();
    HWND window = platform.window(handle);
    if (window == nullptr || id == 0 || timerProc != nullptr) {
        return 0;
    }
    const std::uint64_t interval = std::max(elapse, MINIMUM_TIMER_INTERVAL);
    const std::uint64_t deadline =
        veskar::platform::nearestBeat(platform.backend->now() + interval, interval);
    for (auto& timer : platform.timers) {
        if (timer.window == window && timer.id == id) {
            timer.interval = interval;
            timer.deadline = deadline;
            return id;
        }
    }
    if (platform.timers.size() >= platform.timerCapacity) {
        return 0;
    }
    platform.timers.push_back({window, id, interval, deadline});
    return id;
}

BOOL KillTimer(HWND handle, UINT_PTR id) {
    auto& timers = state().timers;
    const auto removed =
        std::erase_if(timers, [&](const auto& timer) { return timer.window == handle && timer.id == id; });
    return removed > 0 ? TRUE : FALSE;
}

DWORD GetTickCount() {
    return static_cast<DWORD>(state().backend->now());
}
