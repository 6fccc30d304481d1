// Jewel rendering: a convex outline with a flat table in the middle and one sloped facet per edge,
// each facet split in two; lit from the top left with a specular glint, sampled 4 x 4 per pixel.
#include "tools/artgen/JewelPainter.h"

#include "tools/artgen/ArtLayout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct Vec2 {
    double x = 0;
    double y = 0;
};

struct Cut {
    Rgb base;
    int sides{};       // corners of the outline
    double radiusX{};  // outline radius as a fraction of half the jewel size
    double radiusY{};
    double startAngle{};  // degrees, first corner; 0 points right, 90 down
};

// Red brilliant, green emerald, blue rhombus, yellow hexagon, purple pentagon, cyan oval.
constexpr Cut CUTS[JEWEL_COLOURS] = {
    {{226, 34, 46}, 16, 0.92, 0.92, 11.25}, {{36, 200, 72}, 8, 0.88, 0.96, 22.5},
    {{52, 102, 255}, 4, 0.97, 0.99, 0.0},   {{252, 214, 36}, 6, 0.93, 0.93, 30.0},
    {{172, 64, 230}, 5, 0.96, 0.96, -90.0}, {{32, 214, 226}, 14, 0.96, 0.74, 0.0},
};
constexpr double TABLE = 0.52;          // table size relative to the outline
constexpr double FACET_TILT = 0.78;     // sideways part of a facet's normal
constexpr double OUTLINE_PIXELS = 1.1;  // dark rim just inside the outline

double dot3(const double* a, const double* b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

void normalise(double* v) {
    const double length = std::sqrt(dot3(v, v));
    for (int i = 0; i < 3; ++i) {
        v[i] /= length;
    }
}

std::vector<Vec2> outline(const Cut& cut, double half) {
    std::vector<Vec2> corners;
    for (int i = 0; i < cut.sides; ++i) {
        const double angle = (cut.startAngle + 360.0 * i / cut.sides) * std::numbers::pi / 180.0;
        corners.push_back({std::cos(angle) * cut.radiusX * half, std::sin(angle) * cut.radiusY * half});
    }
    return corners;
}

struct Sample {
    bool inside = false;
    Rgb colour;
};

Rgb shade(const Cut& cut, const double* normal, double rim) {
    double light[3] = {-0.45, -0.65, 0.62};
    normalise(light);
    double halfway[3] = {light[0], light[1], light[2] + 1.0};
    normalise(halfway);
    const double diffuse = std::max(0.0, dot3(normal, light));
    const double glint = std::pow(std::max(0.0, dot3(normal, halfway)), 28.0);
    Rgb c = scaled(cut.base, 0.22 + 0.98 * diffuse);
    c = mix(c, Rgb{255, 255, 255}, glint * 0.85);
    return rim < OUTLINE_PIXELS ? scaled(cut.base, 0.38) : c;
}

Sample sampleAt(const Cut& cut, const std::vector<Vec2>& corners, Vec2 p) {
    const std::size_t n = corners.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Vec2 a = corners[i];
        const Vec2 b = corners[(i + 1) % n];
        const double det = a.x * b.y - a.y * b.x;
        const double u = (p.x * b.y - p.y * b.x) / det;  // p = u a + v b within this corner's sector
        const double v = (a.x * p.y - a.y * p.x) / det;
        if (u < 0 || v < 0) {
            continue;
        }
        const double gauge = u + v;  // 0 at the centre, 1 on the outline
        if (gauge > 1.0) {
            return {};
        }
        Vec2 edgeNormal{b.y - a.y, a.x - b.x};
        const double edgeLength = std::hypot(edgeNormal.x, edgeNormal.y);
        const double edgeDistance = std::abs(a.x * edgeNormal.x + a.y * edgeNormal.y) / edgeLength;
        const double rim = (1.0 - gauge) * edgeDistance;
        if (gauge <= TABLE) {
            const double t = 0.5 - (p.x + p.y) / (edgeDistance * TABLE * 3.0);
            return {true, mix(scaled(cut.base, 0.7), mix(cut.base, Rgb{255, 255, 255}, 0.35), t)};
        }
        const Vec2 toward = u > v ? a : b;  // each facet is split into two halves
        const double towardLength = std::hypot(toward.x, toward.y);
        double normal[3] = {edgeNormal.x / edgeLength + 0.45 * toward.x / towardLength,
                            edgeNormal.y / edgeLength + 0.45 * toward.y / towardLength, 0.0};
        const double sideways = std::hypot(normal[0], normal[1]);
        normal[0] *= FACET_TILT / sideways;
        normal[1] *= FACET_TILT / sideways;
        normal[2] = std::sqrt(1.0 - FACET_TILT * FACET_TILT);
        return {true, shade(cut, normal, rim)};
    }
    return {};
}

// A soft white sparkle on the table's upper left, as glints on polished stones look.
double sparkle(Vec2 p, double half) {
    const double dx = p.x + 0.26 * half;
    const double dy = p.y + 0.3 * half;
    const double spot = std::exp(-(dx * dx + dy * dy) / (0.012 * half * half));
    const double cross = std::exp(-std::abs(dx) * std::abs(dy) / (0.002 * half * half) -
                                  (dx * dx + dy * dy) / (0.08 * half * half));
    return std::min(1.0, spot + 0.6 * cross);
}

}  // namespace

JewelLayer paintJewelLayer(int colourIndex, int size) {
    const Cut& cut = CUTS[std::clamp(colourIndex, 0, JEWEL_COLOURS - 1)];
    const double half = size / 2.0;
    const std::vector<Vec2> corners = outline(cut, half);
    JewelLayer layer{size, std::vector<Rgb>(std::size_t(size * size)),
                     std::vector<double>(std::size_t(size * size))};
    constexpr int GRID = 4;  // samples per pixel side
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double sum[3] = {0, 0, 0};
            int hits = 0;
            for (int sy = 0; sy < GRID; ++sy) {
                for (int sx = 0; sx < GRID; ++sx) {
                    const Vec2 p{x + (sx + 0.5) / GRID - half, y + (sy + 0.5) / GRID - half};
                    const Sample s = sampleAt(cut, corners, p);
                    if (s.inside) {
                        const Rgb c = mix(s.colour, Rgb{255, 255, 255}, sparkle(p, half));
                        sum[0] += c.r;
                        sum[1] += c.g;
                        sum[2] += c.b;
                        ++hits;
                    }
                }
            }
            const std::size_t at = std::size_t(y * size + x);
            layer.coverage[at] = double(hits) / (GRID * GRID);
            if (hits > 0) {
                layer.colour[at] = {std::uint8_t(sum[0] / hits + 0.5), std::uint8_t(sum[1] / hits + 0.5),
                                    std::uint8_t(sum[2] / hits + 0.5)};
            }
        }
    }
    return layer;
}

Canvas composeJewel(const JewelLayer& layer, Rgb background) {
    Canvas canvas(layer.size, layer.size, background);
    for (int y = 0; y < layer.size; ++y) {
        for (int x = 0; x < layer.size; ++x) {
            const std::size_t at = std::size_t(y * layer.size + x);
            canvas.blend(x, y, layer.colour[at], layer.coverage[at]);
        }
    }
    return canvas;
}

void placeJewel(Canvas& canvas, int colourIndex, int size, int x, int y) {
    const JewelLayer layer = paintJewelLayer(colourIndex, size);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            const std::size_t at = std::size_t(py * size + px);
            canvas.blend(x + px, y + py, layer.colour[at], layer.coverage[at]);
        }
    }
}

IconImage jewelIcon(int colourIndex, int size) {
    const JewelLayer layer = paintJewelLayer(colourIndex, size);
    IconImage icon{size, {}};
    for (std::size_t i = 0; i < layer.colour.size(); ++i) {
        const Rgb c = layer.colour[i];
        icon.pixels.push_back({c.r, c.g, c.b, std::uint8_t(std::lround(layer.coverage[i] * 255.0))});
    }
    return icon;
}
