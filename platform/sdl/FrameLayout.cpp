// The frame's enlargement and place on the window's surface.
#include "platform/sdl/FrameLayout.h"

#include <algorithm>
#include <cstring>

namespace veskar::platform {

FrameLayout layFrame(int surfaceWidth, int surfaceHeight, int frameWidth, int frameHeight, int scale) {
    FrameLayout layout;
    if (frameWidth <= 0 || frameHeight <= 0) {
        return layout;
    }
    const int fits = std::max(1, std::min(surfaceWidth / frameWidth, surfaceHeight / frameHeight));
    layout.factor = scale <= 0 ? fits : std::min(scale, fits);
    layout.x = std::max(0, (surfaceWidth - frameWidth * layout.factor) / 2);
    layout.y = std::max(0, (surfaceHeight - frameHeight * layout.factor) / 2);
    return layout;
}

void scaleNearest(const std::uint32_t* frame, int width, int height, std::size_t frameStride, int factor,
                  std::uint32_t* target, int targetPitch) {
    auto* row = reinterpret_cast<unsigned char*>(target);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * factor * sizeof(std::uint32_t);
    for (int y = 0; y < height; ++y) {
        // One row widened, then copied factor - 1 times below itself.
        auto* widened = reinterpret_cast<std::uint32_t*>(row);
        for (int x = 0; x < width; ++x) {
            std::fill_n(widened + static_cast<std::size_t>(x) * factor, factor, frame[x]);
        }
        for (int copy = 1; copy < factor; ++copy) {
            std::memcpy(row + static_cast<std::size_t>(copy) * targetPitch, row, rowBytes);
        }
        frame += frameStride;
        row += static_cast<std::size_t>(factor) * targetPitch;
    }
}

int fittingScale(int wanted, int frameWidth, int frameHeight, int areaWidth, int areaHeight) {
    if (areaWidth <= 0 || areaHeight <= 0) {
        return wanted;
    }
    int fitting = wanted;
    while (fitting > 1 && (frameWidth * fitting > areaWidth || frameHeight * fitting > areaHeight)) {
        --fitting;
    }
    return fitting;
}

}  // namespace veskar::platform
