// Where a frame goes on the window's surface and how it is enlarged: a whole factor, every pixel
// a square block (nearest neighbour), the picture centred on black. Plain C++, without SDL.
#pragma once

#include <cstddef>
#include <cstdint>

namespace veskar::platform {

struct FrameLayout {
    int factor = 1;  // every frame pixel becomes factor x factor surface pixels
    int x = 0;       // the picture's top left on the surface
    int y = 0;
};

// Lays a frameWidth x frameHeight frame on a surface: `scale` times larger, or with scale 0 the
// largest whole factor that fits; never larger than fits, never below 1; centred. A surface smaller
// than the frame gets its top left part at 1:1.
[[nodiscard]] FrameLayout layFrame(int surfaceWidth, int surfaceHeight, int frameWidth, int frameHeight,
                                   int scale);

// The largest enlargement from 1 up to `wanted` at which a frameWidth x frameHeight window fits an
// area of areaWidth x areaHeight (the screen's usable part); `wanted` when the area is unknown (0).
[[nodiscard]] int fittingScale(int wanted, int frameWidth, int frameHeight, int areaWidth, int areaHeight);

// Writes the width x height frame, whose rows lie `frameStride` pixels apart, `factor` times larger
// into `target`, whose rows lie `targetPitch` bytes apart: target pixel (x, y) is frame pixel
// (x / factor, y / factor).
void scaleNearest(const std::uint32_t* frame, int width, int height, std::size_t frameStride, int factor,
                  std::uint32_t* target, int targetPitch);

}  // namespace veskar::platform
