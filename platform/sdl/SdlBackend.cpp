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

// SDL does timed chores of its own when it gathers events: it finishes focus changes a moment
// after the display reported them, so it gathers at least this often while the display is busy...
inline constexpr std::uint64_t GATHER_INTERVAL_MS = 100;
// ...which it counts as long as this after its last traffic...
inline constexpr std::uint64_t BUSY_AFTER_TRAFFIC_MS = 2000;
// ...and this often on a quiet display, where only the screen saver, which SDL keeps away with a
// sign of life every 30 s, is waiting.
inline constexpr std::uint64_t QUIET_GATHER_INTERVAL_MS = 5000;
// Without a display the loop looks for a signal at least this often.
inline constexpr std::uint64_t NO_DISPLAY_WAIT_MS = 100;

// The clock starts at a whole second of the monotonic clock, so that its multiples of a period are
// the beat that every periodic wait of the process keeps (platform/core/Beat.h).
std::chrono::steady_clock::time_point clockOrigin() {
    static const auto origin = std::chrono::floor<std::chrono::seconds>(std::chrono::steady_clock::now());
    return origin;
}

// The time left until `deadline` on the clock, for a wait that should end on that very instant
// rather than on the next millisecond; null (no limit) without a deadline.
const timespec* timeUntil(std::optional<std::uint64_t> deadline, timespec& left) {
    if (!deadline) {
        return nullptr;
    }
    const auto end = clockOrigin() + std::chrono::milliseconds(*deadline);
    const auto nanoseconds = std::max<std::int64_t>(
        0,
        std::chrono::duration_cast<std::chrono::nanoseconds>(end - std::chrono::steady_clock::now()).count());
    left.tv_sec = static_cast<time_t>(nanoseconds / 1000000000);
    left.tv_nsec = static_cast<long>(nanoseconds % 1000000000);
    return &left;
}

inline constexpr int BYTES_PER_PIXEL = 4;

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
    if (watching) {
        SDL_DelEventWatch(&SdlBackend::watchWindow, this);
    }
    if (videoStarted) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        if (SDL_WasInit(0) == 0) {
            SDL_Quit();
        }
    }
}

std::uint64_t SdlBackend::now() {
    const auto elapsed = std::chrono::steady_clock::now() - clockOrigin();
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
        SDL_AddEventWatch(&SdlBackend::watchWindow, this);
        watching = true;
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
    connection = displayConnectionOf(window);
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
    releaseFrame();
    frame = nullptr;
    if (window != nullptr) {
        SDL_DestroyWindow(window);
        window = nullptr;
        drawnSurface = nullptr;
        blackSurface = nullptr;
        presented = false;
        gatherOwed = true;
    }
}

void SdlBackend::attachFrame(WindowFrame* attached) {
    if (attached != frame) {
        releaseFrame();
        frame = attached;
    }
}

int SdlBackend::watchWindow(void* backend, SDL_Event* event) {
    // Called as SDL notes the new size, while the old surface still exists: SDL frees it on the
    // next SDL_GetWindowSurface.
    if (event->type == SDL_WINDOWEVENT && event->window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        static_cast<SdlBackend*>(backend)->forgetSurface();
    }
    return 1;
}

void SdlBackend::forgetSurface() {
    releaseFrame();
    // The next surface may take the freed one's address: it must not pass for the old one.
    drawnSurface = nullptr;
    blackSurface = nullptr;
}

void SdlBackend::releaseFrame() {
    if (frame != nullptr && frameSurface != nullptr) {
        frame->moveHome();
    }
    frameSurface = nullptr;
}

SDL_Surface* SdlBackend::windowSurface() {
    if (window == nullptr) {
        return nullptr;
    }
    if (frameSurface != nullptr) {
        // A second guard beside watchWindow: a surface of another size than the window's is
        // about to be replaced.
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(window, &width, &height);
        if (width != frameSurface->w || height != frameSurface->h) {
            forgetSurface();
        }
    }
    return SDL_GetWindowSurface(window);
}

bool SdlBackend::canHoldFrame(const SDL_Surface* surface) const {
    return frame != nullptr && scale == 1 && surface->pixels != nullptr && surface->w == frame->width() &&
           surface->h == frame->height() && surface->format->format == SDL_PIXELFORMAT_RGB888 &&
           surface->pitch % BYTES_PER_PIXEL == 0;
}

void SdlBackend::present(const FrameView& picture, std::span<const RECT> changed) {
    SDL_Surface* surface = windowSurface();
    if (surface == nullptr) {
        return;
    }
    const bool fresh = surface != drawnSurface;  // shows nothing of the game's yet
    drawnSurface = surface;
    presented = true;
    const bool isFrame = frame != nullptr && picture.pixels == frame->row(0);
    if (isFrame && frameSurface == nullptr && canHoldFrame(surface)) {
        frame->moveTo(static_cast<std::uint32_t*>(surface->pixels),
                      static_cast<std::size_t>(surface->pitch / BYTES_PER_PIXEL));
        frameSurface = surface;
        SDL_UpdateWindowSurface(window);
    } else if (isFrame && frameSurface == surface && !fresh) {
        shown.clear();
        for (const RECT& rect : changed) {
            shown.push_back(SDL_Rect{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
        }
        updateRects(shown);
    } else {
        if (!isFrame) {
            releaseFrame();  // the picture takes the frame's place on the surface
        }
        presentCopy(surface, picture, changed, fresh);
    }
    noteDisplayCalls();
    startupTrace.framePresented();
}

void SdlBackend::presentCopy(SDL_Surface* surface, const FrameView& picture, std::span<const RECT> changed,
                             bool fresh) {
    const FrameLayout layout = layFrame(surface->w, surface->h, picture.width, picture.height, scale);
    const int factor = layout.factor;
    if (surface != blackSurface) {
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
        blackSurface = surface;
        fresh = true;
    }
    // What of the picture fits on the surface (all of it, unless the surface is the smaller).
    const int columns = std::min(picture.width, (surface->w - layout.x) / factor);
    const int rows = std::min(picture.height, (surface->h - layout.y) / factor);
    const RECT whole{0, 0, picture.width, picture.height};
    const Uint32 format = surface->format->format;
    shown.clear();
    for (const RECT& rect : fresh ? std::span<const RECT>(&whole, 1) : changed) {
        const int left = std::clamp<int>(rect.left, 0, columns);
        const int top = std::clamp<int>(rect.top, 0, rows);
        const int width = std::clamp<int>(rect.right, left, columns) - left;
        const int height = std::clamp<int>(rect.bottom, top, rows) - top;
        if (width == 0 || height == 0) {
            continue;
        }
        const SDL_Rect place{layout.x + left * factor, layout.y + top * factor, width * factor,
                             height * factor};
        const std::uint32_t* source = picture.row(top) + left;
        void* target = static_cast<Uint8*>(surface->pixels) +
                       static_cast<std::size_t>(place.y) * surface->pitch +
                       static_cast<std::size_t>(place.x) * surface->format->BytesPerPixel;
        const int sourcePitch = static_cast<int>(picture.stride) * BYTES_PER_PIXEL;
        if (factor == 1) {
            SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_RGB888, source, sourcePitch, format, target,
                              surface->pitch);
        } else if (format == SDL_PIXELFORMAT_RGB888) {
            scaleNearest(source, width, height, picture.stride, factor, static_cast<std::uint32_t*>(target),
                         surface->pitch);
        } else {
            enlarged.resize(static_cast<std::size_t>(place.w) * place.h);
            scaleNearest(source, width, height, picture.stride, factor, enlarged.data(),
                         place.w * BYTES_PER_PIXEL);
            SDL_ConvertPixels(place.w, place.h, SDL_PIXELFORMAT_RGB888, enlarged.data(),
                              place.w * BYTES_PER_PIXEL, format, target, surface->pitch);
        }
        shown.push_back(place);
    }
    if (fresh) {
        SDL_UpdateWindowSurface(window);  // the black border too
    } else {
        updateRects(shown);
    }
}

void SdlBackend::updateRects(std::span<const SDL_Rect> rects) {
    if (!rects.empty()) {
        SDL_UpdateWindowSurfaceRects(window, rects.data(), static_cast<int>(rects.size()));
    }
}

void SdlBackend::noteDisplayCalls() {
    // Without a connection to look into, SDL must find out itself.
    if (connection == nullptr || eventsQueued(connection)) {
        gatherOwed = true;
    }
}

void SdlBackend::redraw() {
    if (window == nullptr || !presented) {
        return;  // the first present is still to come
    }
    SDL_Surface* surface = windowSurface();
    if (surface == drawnSurface) {
        SDL_UpdateWindowSurface(window);  // it still holds the last picture
        noteDisplayCalls();
    } else if (surface != nullptr && frame != nullptr) {
        present(frame->view(), {});  // a new surface: the frame, whole
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
    const std::uint64_t current = now();
    if (gatherOwed) {
        lastTraffic = current;
    }
    const std::uint64_t interval =
        current - lastTraffic < BUSY_AFTER_TRAFFIC_MS ? GATHER_INTERVAL_MS : QUIET_GATHER_INTERVAL_MS;
    if (gatherOwed || textInput || current - lastGather >= interval) {
        SDL_PumpEvents();
        gatherOwed = false;
        lastGather = current;
    }
    SDL_Event sdlEvent;
    while (SDL_PeepEvents(&sdlEvent, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
        if (translate(sdlEvent, event)) {
            return true;
        }
    }
    return false;
}

void SdlBackend::wait(std::optional<std::uint64_t> deadline) {
    const int signals = endingSignalDescriptor();
    timespec left{};
    if (!videoStarted) {
        // Nothing but a signal can arrive without a display; let the time pass.
        pollfd signal{signals, POLLIN, 0};
        const std::uint64_t atMost = now() + NO_DISPLAY_WAIT_MS;
        (void)ppoll(&signal, signals >= 0 ? 1 : 0, timeUntil(deadline.value_or(atMost), left), nullptr);
        return;
    }
    startupTrace.waiting();
    if (displaySocket >= 0) {
        pollfd sockets[2] = {{displaySocket, POLLIN, 0}, {signals, POLLIN, 0}};
        if (ppoll(sockets, signals >= 0 ? 2 : 1, timeUntil(deadline, left), nullptr) != 0) {
            gatherOwed = true;  // readable, closed or interrupted: SDL finds out which
        }
        return;
    }
    // SDL waits on its own here, to the millisecond; a signal is seen at the latest when the frame
    // timer's wait ends.
    int timeout = -1;
    if (deadline) {
        const std::uint64_t current = now();
        timeout =
            static_cast<int>(std::min<std::uint64_t>(*deadline > current ? *deadline - current : 0, INT_MAX));
    }
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
        wait(deadline);
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
