// SDL2 window, input and clock for the platform core.
#include "platform/sdl/SdlBackend.h"

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>

#include "platform/core/EndingSignals.h"
#include "platform/sdl/FrameLayout.h"
#include "platform/sdl/Presentation.h"
#include "platform/sdl/SdlDisplayConnection.h"
#include "platform/sdl/SdlKeyMap.h"
#include "platform/sdl/SdlText.h"

namespace veskar::platform {

namespace {

// SDL does timed chores of its own when it gathers events (finishing focus changes, keeping the
// screen saver away), so it gathers at least this often even when the display stays quiet.
inline constexpr std::uint64_t GATHER_INTERVAL_MS = 100;

// The drivers that show nothing: their "screen" is an invention of SDL's.
bool onInvisibleDriver() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

// SDL falls back to an invisible window when it finds no display; a game nobody can see is no
// use, unless that driver was asked for by name (SDL_VIDEODRIVER, as the smoke tests do).
bool onRealDisplay() {
    return !onInvisibleDriver() || SDL_getenv("SDL_VIDEODRIVER") != nullptr;
}

}  // namespace

std::unique_ptr<Backend> CreateBackend() {
    return std::make_unique<SdlBackend>();
}

SdlBackend::SdlBackend() {
    // The platform's own handlers turn the ending signals into a close request that any message
    // loop sees, a modal box's included; SDL's would only reach SDL's event queue.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
}

SdlBackend::~SdlBackend() {
    pads.stop();
    closeWindow();
    if (videoStarted) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        if (SDL_WasInit(0) == 0) {
            SDL_Quit();
        }
    }
}

std::uint64_t SdlBackend::now() {
    static const auto start = std::chrono::steady_clock::now();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

bool SdlBackend::openWindow(const char* title, int width, int height) {
    if (!videoStarted) {
        SDL_SetMainReady();
        startupTrace.displayOpening();
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            // The game itself reports nothing here; without this line a missing display is silent.
            std::fprintf(stderr, "veskar: no display for the window: %s\n", SDL_GetError());
            return false;
        }
        if (!onRealDisplay()) {
            std::fputs("veskar: no display for the window\n", stderr);
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            return false;
        }
        videoStarted = true;
        watchDisplayConnection();
        pads.start();
        presentWithoutRenderer();
        SDL_StopTextInput();  // characters come from the key table, not from an input method
    }
    window = makeWindow(title, width, height);
    if (window == nullptr) {
        std::fprintf(stderr, "veskar: the window cannot be made: %s\n", SDL_GetError());
    }
    gatherOwed = true;
    displaySocket = displaySocketOf(window);
    return window != nullptr;
}

int SdlBackend::scaleForScreen(int wanted, int width, int height) {
    SDL_Rect usable{};
    if (wanted <= 1 || onInvisibleDriver() || SDL_GetDisplayUsableBounds(0, &usable) != 0) {
        return wanted;
    }
    const int fitting = fittingScale(wanted, width, height, usable.w, usable.h);
    if (fitting < wanted) {
        std::fprintf(stderr, "veskar: --scale %d does not fit the screen (%d x %d free); using --scale %d\n",
                     wanted, usable.w, usable.h, fitting);
    }
    return fitting;
}

SDL_Window* SdlBackend::makeWindow(const char* title, int width, int height) {
    // The window is `scale` times the client area, or the whole screen; the client area keeps its
    // size for the program, only the picture is enlarged.
    const Presentation shown = presentation();
    scale = shown.fullscreen ? 0 : scaleForScreen(shown.scale, width, height);
    Uint32 flags = SDL_WINDOW_HIDDEN;
    int windowWidth = width * std::max(1, scale);
    int windowHeight = height * std::max(1, scale);
    SDL_Rect screen{};
    if (shown.fullscreen && SDL_GetDisplayBounds(0, &screen) == 0) {
        // Made at the screen's size as well: without a window manager to enlarge it, X11 would
        // keep a full-screen window at the size it was made with.
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        windowWidth = screen.w;
        windowHeight = screen.h;
    }
    return SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, windowWidth,
                            windowHeight, flags);
}

void SdlBackend::presentWithoutRenderer() {
    // Where the driver copies a window surface to the display itself (X11 through shared memory),
    // SDL need not load a GL renderer for it. Drivers without such a surface (Wayland and KMS/DRM
    // in SDL 2) show the window surface only through a renderer, so SDL keeps its own choice there.
    // The environment variable SDL_FRAMEBUFFER_ACCELERATION still decides when it is set.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver != nullptr && (std::strcmp(driver, "x11") == 0 || std::strcmp(driver, "offscreen") == 0 ||
                              std::strcmp(driver, "dummy") == 0)) {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }
}

void SdlBackend::setIcon(const std::uint32_t* pixels, int width, int height) {
    if (window == nullptr) {
        return;
    }
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(pixels), width, height,
                                                           32, width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (icon != nullptr) {
        SDL_SetWindowIcon(window, icon);
        SDL_FreeSurface(icon);
        gatherOwed = true;
    }
}

void SdlBackend::showWindow(bool visible) {
    if (window == nullptr) {
        return;
    }
    if (visible) {
        SDL_ShowWindow(window);
    } else {
        SDL_HideWindow(window);
    }
    gatherOwed = true;
}

void SdlBackend::closeWindow() {
    if (window != nullptr) {
        SDL_DestroyWindow(window);
        window = nullptr;
        drawnSurface = nullptr;
        blackSurface = nullptr;
        gatherOwed = true;
    }
}

void SdlBackend::present(const std::uint32_t* pixels, int width, int height) {
    SDL_Surface* surface = window == nullptr ? nullptr : SDL_GetWindowSurface(window);
    drawnSurface = surface;
    gatherOwed = true;
    if (surface == nullptr) {
        return;
    }
    if (scale == 1 && surface->w <= width && surface->h <= height) {
        // The window surface has the client size; copy what both have, converting the pixel format.
        SDL_ConvertPixels(std::min(width, surface->w), std::min(height, surface->h), SDL_PIXELFORMAT_RGB888,
                          pixels, width * 4, surface->format->format, surface->pixels, surface->pitch);
    } else {
        presentPlaced(surface, pixels, width, height);
    }
    SDL_UpdateWindowSurface(window);
    startupTrace.framePresented();
}

void SdlBackend::presentPlaced(SDL_Surface* surface, const std::uint32_t* pixels, int width, int height) {
    const FrameLayout layout = layFrame(surface->w, surface->h, width, height, scale);
    if (surface != blackSurface) {
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
        blackSurface = surface;
    }
    const Uint32 format = surface->format->format;
    void* target = static_cast<Uint8*>(surface->pixels) +
                   static_cast<std::size_t>(layout.y) * surface->pitch +
                   static_cast<std::size_t>(layout.x) * surface->format->BytesPerPixel;
    if (layout.factor == 1) {
        SDL_ConvertPixels(std::min(width, surface->w - layout.x), std::min(height, surface->h - layout.y),
                          SDL_PIXELFORMAT_RGB888, pixels, width * 4, format, target, surface->pitch);
    } else if (format == SDL_PIXELFORMAT_RGB888) {
        scaleNearest(pixels, width, height, layout.factor, static_cast<std::uint32_t*>(target),
                     surface->pitch);
    } else {
        const int enlargedWidth = width * layout.factor;
        enlarged.resize(static_cast<std::size_t>(enlargedWidth) * height * layout.factor);
        scaleNearest(pixels, width, height, layout.factor, enlarged.data(), enlargedWidth * 4);
        SDL_ConvertPixels(enlargedWidth, height * layout.factor, SDL_PIXELFORMAT_RGB888, enlarged.data(),
                          enlargedWidth * 4, format, target, surface->pitch);
    }
}

void SdlBackend::redraw() {
    // The window surface still holds the last frame unless SDL has made a new one meanwhile.
    if (window != nullptr && drawnSurface != nullptr && SDL_GetWindowSurface(window) == drawnSurface) {
        SDL_UpdateWindowSurface(window);
        gatherOwed = true;
    }
}

bool SdlBackend::translate(const SDL_Event& sdlEvent, InputEvent& event) {
    event = InputEvent{};
    switch (sdlEvent.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const SDL_Keysym& key = sdlEvent.key.keysym;
            event.kind = sdlEvent.type == SDL_KEYDOWN ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp;
            event.virtualKey = virtualKeyOf(key.scancode, key.sym, key.mod);
            event.scanCode = static_cast<UINT>(key.scancode) & 0xFF;  // SDL's own numbering; nobody reads it
            event.extended = isExtendedKey(key.scancode);
            event.repeat = sdlEvent.key.repeat != 0;
            event.altDown = isAltCombination(key.sym, key.mod);
            event.character = keyDownCharacter(key.sym, key.mod, textInput);
            return event.virtualKey != 0;
        }
        case SDL_TEXTINPUT:
            appendTypedText(sdlEvent.text.text, typed);
            return takeTyped(event);
        case SDL_MOUSEBUTTONDOWN:
            event.kind = InputEvent::Kind::MouseDown;
            return true;
        case SDL_CONTROLLERDEVICEADDED:
        case SDL_CONTROLLERDEVICEREMOVED:
            (void)pads.handle(sdlEvent);
            return false;
        case SDL_QUIT:
            event.kind = InputEvent::Kind::CloseRequest;
            return true;
        case SDL_WINDOWEVENT:
            if (sdlEvent.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                blackSurface = nullptr;  // a new surface, its border not yet black
            }
            if (sdlEvent.window.event == SDL_WINDOWEVENT_EXPOSED ||
                sdlEvent.window.event == SDL_WINDOWEVENT_SHOWN) {
                redraw();
            }
            return false;
        default:
            return false;
    }
}

bool SdlBackend::takeEvent(InputEvent& event) {
    if (takeEndingSignal()) {
        event = InputEvent{};
        event.kind = InputEvent::Kind::CloseRequest;
        return true;
    }
    if (takeTyped(event)) {
        return true;
    }
    if (!videoStarted) {
        return false;
    }
    // Gathering costs several calls on the display connection, so it happens only when events may
    // wait: after the program's own display calls, after the socket stirred, and for SDL's chores.
    // Typed text may come from an input method through another connection: gather every time then.
    if (gatherOwed || textInput || now() - lastGather >= GATHER_INTERVAL_MS) {
        SDL_PumpEvents();
        gatherOwed = false;
        lastGather = now();
    }
    SDL_Event sdlEvent;
    while (SDL_PeepEvents(&sdlEvent, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
        if (translate(sdlEvent, event)) {
            return true;
        }
    }
    return false;
}

void SdlBackend::wait(std::optional<std::uint64_t> milliseconds) {
    const int signals = endingSignalDescriptor();
    if (!videoStarted) {
        // Nothing but a signal can arrive without a display; let the time pass.
        pollfd signal{signals, POLLIN, 0};
        (void)poll(&signal, signals >= 0 ? 1 : 0, static_cast<int>(milliseconds.value_or(100)));
        return;
    }
    startupTrace.waiting();
    const int timeout = milliseconds ? static_cast<int>(std::min<std::uint64_t>(*milliseconds, INT_MAX)) : -1;
    if (displaySocket >= 0) {
        pollfd sockets[2] = {{displaySocket, POLLIN, 0}, {signals, POLLIN, 0}};
        if (poll(sockets, signals >= 0 ? 2 : 1, timeout) != 0) {
            gatherOwed = true;  // readable, closed or interrupted: SDL finds out which
        }
        return;
    }
    // SDL waits on its own here; a signal is seen at the latest when the frame timer's wait ends.
    SDL_WaitEventTimeout(nullptr, timeout);  // leaves the event in SDL's queue
    gatherOwed = false;
    lastGather = now();
}

bool SdlBackend::nextEvent(InputEvent& event, std::optional<std::uint64_t> deadline) {
    for (;;) {
        if (takeEvent(event)) {
            return true;
        }
        const std::uint64_t current = now();
        if (deadline && *deadline <= current) {
            return false;
        }
        wait(deadline ? std::optional<std::uint64_t>(*deadline - current) : std::nullopt);
    }
}

void SdlBackend::setTextInput(bool enabled) {
    if (enabled && !textInput) {
        SDL_StartTextInput();
    } else if (!enabled && textInput) {
        SDL_StopTextInput();
        typed.clear();
    }
    textInput = enabled;
    gatherOwed = true;
}

bool SdlBackend::readPad(DWORD slot, XINPUT_GAMEPAD& pad) {
    return pads.read(slot, pad, now());
}

std::string SdlBackend::clipboardText() {
    return videoStarted ? clipboardWindows1252() : std::string();
}

bool SdlBackend::takeTyped(InputEvent& event) {
    if (typed.empty()) {
        return false;
    }
    event = InputEvent{};
    event.kind = InputEvent::Kind::Character;
    event.character = typed.front();
    typed.pop_front();
    return true;
}

}  // namespace veskar::platform
