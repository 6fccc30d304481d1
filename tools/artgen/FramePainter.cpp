// Backdrop and frame painting shared by the three backgrounds.
#include "tools/artgen/FramePainter.h"

#include "tools/artgen/ArtLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr Rgb GOLD_LIGHT{255, 232, 150};
constexpr Rgb GOLD_MID{214, 164, 70};
constexpr Rgb GOLD_DARK{118, 78, 26};

// Deterministic noise in -1..1 for a pixel, so the backdrop has a little grain.
double grain(int x, int y) {
    std::uint32_t h = std::uint32_t(x) * 374761393U + std::uint32_t(y) * 668265263U;
    h = (h ^ (h >> 13)) * 1274126177U;
    h ^= h >> 16;
    return double(h & 0xffff) / 32767.5 - 1.0;
}

// Which side of a ring a pixel sits on: true for the top and left sides (lit), false otherwise.
bool litSide(const Rect& ring, int x, int y) {
    const int fromLeft = x - ring.left;
    const int fromTop = y - ring.top;
    const int fromRight = ring.right - 1 - x;
    const int fromBottom = ring.bottom - 1 - y;
    return std::min(fromLeft, fromTop) < std::min(fromRight, fromBottom) ||
           (std::min(fromLeft, fromTop) == std::min(fromRight, fromBottom) &&
            fromTop + fromLeft < fromRight + fromBottom);
}

void paintRing(Canvas& canvas, const Rect& ring, Rgb lit, Rgb unlit) {
    for (int y = ring.top; y < ring.bottom; ++y) {
        for (int x = ring.left; x < ring.right; ++x) {
            if (x == ring.left || x == ring.right - 1 || y == ring.top || y == ring.bottom - 1) {
                canvas.set(x, y, litSide(ring, x, y) ? lit : unlit);
            }
        }
    }
}

void paintShadow(Canvas& canvas, const Rect& outer) {
    constexpr int REACH = 6;  // pixels of soft shadow, offset down and right
    for (int y = outer.top - REACH + 3; y < outer.bottom + REACH + 3; ++y) {
        for (int x = outer.left - REACH + 3; x < outer.right + REACH + 3; ++x) {
            const int dx = std::max({outer.left + 3 - x, x - (outer.right + 2), 0});
            const int dy = std::max({outer.top + 3 - y, y - (outer.bottom + 2), 0});
            const double d = std::hypot(double(dx), double(dy));
            if (d < REACH) {
                canvas.blend(x, y, Rgb{0, 0, 0}, 0.55 * (1.0 - d / REACH));
            }
        }
    }
}

// Faint out-of-focus glows in the jewels' colours, as if light fell through cut stones.
void paintGlows(Canvas& canvas) {
    constexpr Rgb TINTS[] = {{226, 34, 46},  {36, 200, 72},  {52, 102, 255},
                             {252, 214, 36}, {172, 64, 230}, {32, 214, 226}};
    std::uint32_t state = 0x7e5ca1U;
    const auto next = [&state]() {
        state = state * 1664525U + 1013904223U;
        return double(state >> 8) / double(1U << 24);
    };
    for (int i = 0; i < 16; ++i) {
        const double cx = next() * canvas.width();
        const double cy = next() * canvas.height();
        const double radius = 18.0 + next() * 46.0;
        const Rgb tint = TINTS[i % 6];
        const double strength = 0.05 + next() * 0.06;
        for (int y = int(cy - radius) - 1; y <= int(cy + radius) + 1; ++y) {
            for (int x = int(cx - radius) - 1; x <= int(cx + radius) + 1; ++x) {
                const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / radius;
                if (d < 1.0) {
                    // A flat disc with a slightly brighter rim and a soft edge.
                    const double edge = std::clamp((1.0 - d) * radius / 2.0, 0.0, 1.0);
                    canvas.blend(x, y, tint, strength * edge * (0.7 + 0.5 * d * d));
                }
            }
        }
    }
}

}  // namespace

void paintBackdrop(Canvas& canvas) {
    const Rgb top{34, 22, 66};
    const Rgb bottom{8, 8, 26};
    for (int y = 0; y < canvas.height(); ++y) {
        const Rgb row = mix(top, bottom, double(y) / canvas.height());
        for (int x = 0; x < canvas.width(); ++x) {
            // Diamond lattice: thin lighter lines along both diagonals every 40 pixels.
            const int a = (x + y) % 40;
            const int b = (x - y + 4000) % 40;
            const double line = (a == 0 || b == 0) ? 0.09 : ((a == 1 || b == 1) ? 0.04 : 0.0);
            const double cx = (x - canvas.width() / 2.0) / canvas.width();
            const double cy = (y - canvas.height() / 2.0) / canvas.height();
            const double vignette = 1.0 - 0.5 * (cx * cx + cy * cy);
            Rgb c = mix(row, Rgb{120, 96, 200}, line);
            c = scaled(c, vignette * (1.0 + 0.035 * grain(x, y)));
            canvas.set(x, y, c);
        }
    }
    paintGlows(canvas);
}

void paintBoxes(Canvas& canvas, Backdrop backdrop) {
    for (const BoxPlacement& box : BOXES) {
        if (box.backdrop == backdrop) {
            paintShadow(canvas, box.interior.grown(FRAME_WIDTH));
        }
    }
    for (const BoxPlacement& box : BOXES) {
        if (box.backdrop != backdrop) {
            continue;
        }
        const Rect& interior = box.interior;
        paintRing(canvas, interior.grown(3), GOLD_LIGHT, GOLD_DARK);
        paintRing(canvas, interior.grown(2), GOLD_MID, scaled(GOLD_MID, 0.8));
        paintRing(canvas, interior.grown(1), GOLD_DARK, GOLD_LIGHT);
        canvas.fill(interior, TEXT_BACKGROUND);
    }
}
