// True-colour picture operations used by every painter.
#include "tools/artgen/Canvas.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint8_t channel(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

}  // namespace

Rgb mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {channel(a.r + (b.r - a.r) * t), channel(a.g + (b.g - a.g) * t), channel(a.b + (b.b - a.b) * t)};
}

Rgb scaled(Rgb c, double f) {
    return {channel(c.r * f), channel(c.g * f), channel(c.b * f)};
}

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

Rgb Canvas::get(int x, int y) const {
    if (!contains(x, y)) {
        return {};
    }
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

void Canvas::set(int x, int y, Rgb c) {
    if (contains(x, y)) {
        pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                static_cast<std::size_t>(x)] = c;
    }
}

void Canvas::blend(int x, int y, Rgb c, double alpha) {
    if (contains(x, y)) {
        set(x, y, mix(get(x, y), c, alpha));
    }
}

void Canvas::fill(const Rect& area, Rgb c) {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            set(x, y, c);
        }
    }
}

void Canvas::paste(const Canvas& source, int x, int y) {
    for (int sy = 0; sy < source.height(); ++sy) {
        for (int sx = 0; sx < source.width(); ++sx) {
            set(x + sx, y + sy, source.get(sx, sy));
        }
    }
}
