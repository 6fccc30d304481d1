// The SDL backend's enlarged picture on SDL's dummy video driver: the window's size for --scale and
// full screen, and the window surface holding the presented frame enlarged, centred on black.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/core/PlatformState.h"
#include "platform/sdl/Presentation.h"

using veskar::platform::Presentation;

namespace {

inline constexpr int CLIENT_WIDTH = 634;
inline constexpr int CLIENT_HEIGHT = 455;

class SdlPresentation : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        veskar::platform::resetState();
        frame.resize(CLIENT_WIDTH * CLIENT_HEIGHT);
        for (std::size_t index = 0; index < frame.size(); ++index) {
            frame[index] =
                static_cast<std::uint32_t>((index * 2654435761u) & 0xFFFFFF) | 0x010101;  // never black
        }
    }
    void TearDown() override {
        veskar::platform::setPresentation({});
        veskar::platform::shutdownState();
    }

    // Opens the backend's window with the presentation and shows the frame; the window, or null.
    SDL_Window* present(const Presentation& presentation) {
        veskar::platform::setPresentation(presentation);
        auto& backend = *veskar::platform::state().backend;
        if (!backend.openWindow("presentation", CLIENT_WIDTH, CLIENT_HEIGHT)) {
            return nullptr;
        }
        const RECT whole{0, 0, CLIENT_WIDTH, CLIENT_HEIGHT};
        backend.present(veskar::platform::FrameView{frame.data(), CLIENT_WIDTH, CLIENT_HEIGHT, CLIENT_WIDTH},
                        std::span<const RECT>(&whole, 1));
        for (Uint32 id = 1; id < 64; ++id) {  // the backend's one window
            if (SDL_Window* window = SDL_GetWindowFromID(id)) {
                return window;
            }
        }
        return nullptr;
    }

    // The surface pixel at (x, y) as 0x00RRGGBB.
    static std::uint32_t pixelAt(SDL_Surface* surface, int x, int y) {
        const auto* row =
            static_cast<const Uint8*>(surface->pixels) + static_cast<std::size_t>(y) * surface->pitch;
        Uint32 value = 0;
        SDL_memcpy(&value, row + static_cast<std::size_t>(x) * surface->format->BytesPerPixel,
                   surface->format->BytesPerPixel);
        Uint8 red = 0, green = 0, blue = 0;
        SDL_GetRGB(value, surface->format, &red, &green, &blue);
        return static_cast<std::uint32_t>(red) << 16 | static_cast<std::uint32_t>(green) << 8 | blue;
    }

    // Whether the surface shows the frame `factor` times larger at (left, top), black elsewhere.
    ::testing::AssertionResult showsFrame(SDL_Surface* surface, int factor, int left, int top) const {
        for (int y = 0; y < surface->h; ++y) {
            for (int x = 0; x < surface->w; ++x) {
                const int column = x - left;
                const int row = y - top;
                const bool inside =
                    column >= 0 && row >= 0 && column < CLIENT_WIDTH * factor && row < CLIENT_HEIGHT * factor;
                const std::uint32_t expected =
                    inside ? frame[(row / factor) * CLIENT_WIDTH + column / factor] : 0;
                if (pixelAt(surface, x, y) != expected) {
                    return ::testing::AssertionFailure() << "pixel " << x << "," << y;
                }
            }
        }
        return ::testing::AssertionSuccess();
    }

    std::vector<std::uint32_t> frame;
};

}  // namespace

TEST_F(SdlPresentation, ScaledWindowShowsTheFrameEnlarged) {
    for (int scale : {1, 2, 3}) {
        SDL_Window* window = present({scale, false});
        ASSERT_NE(window, nullptr);
        int width = 0, height = 0;
        SDL_GetWindowSize(window, &width, &height);
        EXPECT_EQ(width, CLIENT_WIDTH * scale);
        EXPECT_EQ(height, CLIENT_HEIGHT * scale);
        SDL_Surface* surface = SDL_GetWindowSurface(window);
        ASSERT_NE(surface, nullptr);
        EXPECT_TRUE(showsFrame(surface, scale, 0, 0)) << "scale " << scale;
        veskar::platform::state().backend->closeWindow();
    }
}

TEST_F(SdlPresentation, FullScreenCentresTheLargestWholeEnlargementOnBlack) {
    SDL_Window* window = present({1, true});
    ASSERT_NE(window, nullptr);
    SDL_DisplayMode display{};
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &display), 0);
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    ASSERT_NE(surface, nullptr);
    ASSERT_EQ(surface->w, display.w);
    ASSERT_EQ(surface->h, display.h);
    const int factor = std::max(1, std::min(display.w / CLIENT_WIDTH, display.h / CLIENT_HEIGHT));
    EXPECT_TRUE(showsFrame(surface, factor, (display.w - CLIENT_WIDTH * factor) / 2,
                           (display.h - CLIENT_HEIGHT * factor) / 2));
}
