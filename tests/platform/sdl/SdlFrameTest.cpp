// Where the window's frame lives on SDL's dummy video driver: in the window surface itself when it
// is shown 1:1, so that the paint's copy to the window is what the display gets; back in its own
// memory, unchanged, when the surface goes or the picture is enlarged.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Platform.h"
#include "platform/core/PlatformState.h"
#include "platform/sdl/Presentation.h"
#include "tests/platform/BufferedPaint.h"

using veskar::platform::Presentation;

namespace {

inline constexpr int CLIENT_WIDTH = 634;
inline constexpr int CLIENT_HEIGHT = 455;

// Paints a picture that tells every pixel apart, then a square of `squareColour` on it.
COLORREF squareColour = RGB(255, 0, 0);

std::uint32_t patternAt(int x, int y) {
    return (static_cast<std::uint32_t>(x & 0xFF) << 16) | (static_cast<std::uint32_t>(y & 0xFF) << 8) | 0x40;
}

LRESULT CALLBACK paintPattern(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return veskar::testing::paintThroughBuffer(
        window, CLIENT_WIDTH, CLIENT_HEIGHT, [](HDC buffer, HBITMAP bitmap) {
            for (int y = 0; y < CLIENT_HEIGHT; ++y) {
                for (int x = 0; x < CLIENT_WIDTH; ++x) {
                    bitmap->row(y)[x] = patternAt(x, y);
                }
            }
            veskar::testing::fillWith(buffer, RECT{300, 200, 332, 232}, squareColour);
        });
}

class SdlFrame : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        veskar::platform::resetState();
        squareColour = RGB(255, 0, 0);
    }
    void TearDown() override {
        veskar::platform::setPresentation({});
        veskar::platform::shutdownState();
    }

    HWND open(const Presentation& presentation) {
        veskar::platform::setPresentation(presentation);
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = paintPattern;
        windowClass.lpszClassName = "SDL_FRAME";
        RegisterClassExA(&windowClass);
        HWND window = CreateWindowExA(0, "SDL_FRAME", "frame", 0x00080001, CW_USEDEFAULT, CW_USEDEFAULT, 640,
                                      480, nullptr, nullptr, nullptr, nullptr);
        if (window != nullptr) {
            ShowWindow(window, SW_SHOW);
            UpdateWindow(window);
        }
        return window;
    }

    static SDL_Window* sdlWindow() {
        for (Uint32 id = 1; id < 64; ++id) {
            if (SDL_Window* found = SDL_GetWindowFromID(id)) {
                return found;
            }
        }
        return nullptr;
    }

    // Whether the window's frame shows the pattern with the square in `colour`.
    static ::testing::AssertionResult framePainted(HWND window, std::uint32_t colour) {
        for (int y = 0; y < CLIENT_HEIGHT; ++y) {
            for (int x = 0; x < CLIENT_WIDTH; ++x) {
                const bool square = x >= 300 && x < 332 && y >= 200 && y < 232;
                if (window->frame.row(y)[x] != (square ? colour : patternAt(x, y))) {
                    return ::testing::AssertionFailure() << "pixel " << x << "," << y;
                }
            }
        }
        return ::testing::AssertionSuccess();
    }
};

}  // namespace

TEST_F(SdlFrame, AtScaleOneTheFrameLivesInTheWindowSurface) {
    HWND window = open({1, false});
    ASSERT_NE(window, nullptr);
    SDL_Surface* surface = SDL_GetWindowSurface(sdlWindow());
    ASSERT_NE(surface, nullptr);
    ASSERT_EQ(surface->format->format, SDL_PIXELFORMAT_RGB888);
    EXPECT_FALSE(window->frame.inOwnMemory());
    EXPECT_EQ(static_cast<void*>(window->frame.row(0)), surface->pixels);
    EXPECT_TRUE(framePainted(window, 0xFF0000));

    squareColour = RGB(0, 0, 255);
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    const auto* pixels = static_cast<const std::uint32_t*>(surface->pixels);
    EXPECT_EQ(pixels[static_cast<std::size_t>(210) * (surface->pitch / 4) + 310], 0x0000FFu)
        << "the paint's copy to the window wrote the surface";
}

TEST_F(SdlFrame, TheFrameLeavesTheSurfaceWholeWhenSdlReplacesIt) {
    HWND window = open({1, false});
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(window->frame.inOwnMemory());
    // A new size makes SDL free the old surface at the next SDL_GetWindowSurface.
    SDL_SetWindowSize(sdlWindow(), CLIENT_WIDTH + 100, CLIENT_HEIGHT + 50);
    EXPECT_TRUE(window->frame.inOwnMemory());
    EXPECT_TRUE(framePainted(window, 0xFF0000));
    SDL_Surface* larger = SDL_GetWindowSurface(sdlWindow());
    ASSERT_NE(larger, nullptr);
    squareColour = RGB(0, 255, 0);
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    EXPECT_TRUE(window->frame.inOwnMemory()) << "a surface of another size cannot hold it";
    EXPECT_TRUE(framePainted(window, 0x00FF00));

    SDL_SetWindowSize(sdlWindow(), CLIENT_WIDTH, CLIENT_HEIGHT);
    squareColour = RGB(0, 0, 255);
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    EXPECT_FALSE(window->frame.inOwnMemory()) << "back in a surface of its size";
    EXPECT_TRUE(framePainted(window, 0x0000FF));
}

TEST_F(SdlFrame, EnlargedPicturesAndBoxesKeepTheFrameInItsOwnMemory) {
    HWND window = open({2, false});
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->frame.inOwnMemory()) << "the surface shows it twice as large";
    EXPECT_TRUE(framePainted(window, 0xFF0000));
    veskar::platform::shutdownState();

    setenv("SDL_VIDEODRIVER", "dummy", 1);
    veskar::platform::resetState();
    window = open({1, false});
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(window->frame.inOwnMemory());
    auto& platform = veskar::platform::state();
    platform.boxes.push_back({"caption", "text"});
    platform.present(window);
    EXPECT_TRUE(window->frame.inOwnMemory()) << "the box is drawn over a copy, not over the frame";
    EXPECT_TRUE(framePainted(window, 0xFF0000));
    platform.boxes.pop_back();
    platform.present(window);
    EXPECT_FALSE(window->frame.inOwnMemory());
    EXPECT_TRUE(framePainted(window, 0xFF0000));
}
