// Title lettering: every letter design is turned into round-ended strokes joining neighbouring
// ink pixels (diagonals only where no straight path joins them), so the letters come out smooth at
// any size. A stroke has a flat face and bevelled sides, lit from the top left like the jewels;
// a dark outline and a drop shadow set it off the backdrop. Sampled 4 x 4 per pixel.
#include "tools/artgen/TitlePainter.h"

#include "tools/artgen/GlyphMask.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double STROKE_RADIUS = 0.6;  // design pixels
constexpr double FLAT_FACE = 0.45;     // part of the radius that faces the viewer

struct Segment {
    double ax, ay, bx, by;  // design pixels from the text's top-left corner
};

struct Nearest {
    double distance = 1e9;
    double dx = 0;  // from the nearest stroke point towards the sample
    double dy = 0;
};

void addLetter(std::vector<Segment>& strokes, const GlyphMask& mask, double offset) {
    const auto centre = [offset](int x, int y) { return std::pair{offset + x + 0.5, y + 0.5}; };
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            if (!mask.ink(x, y)) {
                continue;
            }
            const auto [cx, cy] = centre(x, y);
            const double fromX = cx;  // plain copies: clang before 16 cannot capture a structured binding
            const double fromY = cy;
            strokes.push_back({cx, cy, cx, cy});
            const auto join = [&](int nx, int ny) {
                const auto [nx2, ny2] = centre(nx, ny);
                strokes.push_back({fromX, fromY, nx2, ny2});
            };
            if (mask.ink(x + 1, y)) {
                join(x + 1, y);
            }
            if (mask.ink(x, y + 1)) {
                join(x, y + 1);
            }
            if (mask.ink(x + 1, y + 1) && !mask.ink(x + 1, y) && !mask.ink(x, y + 1)) {
                join(x + 1, y + 1);
            }
            if (mask.ink(x - 1, y + 1) && !mask.ink(x - 1, y) && !mask.ink(x, y + 1)) {
                join(x - 1, y + 1);
            }
        }
    }
}

void consider(Nearest& best, const Segment& s, double u, double v) {
    const double ex = s.bx - s.ax;
    const double ey = s.by - s.ay;
    const double length2 = ex * ex + ey * ey;
    const double t = length2 > 0 ? std::clamp(((u - s.ax) * ex + (v - s.ay) * ey) / length2, 0.0, 1.0) : 0.0;
    const double dx = u - (s.ax + t * ex);
    const double dy = v - (s.ay + t * ey);
    const double d = std::hypot(dx, dy);
    if (d < best.distance) {
        best = {d, dx, dy};
    }
}

// The strokes of each letter apart, so that a sample only looks at the letters beside it.
using LetterStrokes = std::vector<std::vector<Segment>>;

LetterStrokes strokesOf(std::string_view text) {
    LetterStrokes letters(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (const GlyphDesign* design = designFor(static_cast<unsigned char>(text[i]))) {
            addLetter(letters[i], GlyphMask::fromDesign(*design), double(i) * DESIGN_COLUMNS);
        }
    }
    return letters;
}

Nearest nearestStroke(const LetterStrokes& letters, double u, double v) {
    Nearest best;
    const int letter = int(std::floor(u / DESIGN_COLUMNS));
    for (int i = std::max(0, letter - 1); i <= letter + 1 && i < int(letters.size()); ++i) {
        for (const Segment& s : letters[std::size_t(i)]) {
            consider(best, s, u, v);
        }
    }
    return best;
}

Rgb strokeColour(const Nearest& n, double v) {
    const double s = n.distance / STROKE_RADIUS;
    double normal[3] = {0, 0, 1};
    if (s > FLAT_FACE && n.distance > 0) {
        const double tilt = (s - FLAT_FACE) / (1.0 - FLAT_FACE) * 1.05;  // radians at the stroke's edge
        normal[0] = n.dx / n.distance * std::sin(tilt);
        normal[1] = n.dy / n.distance * std::sin(tilt);
        normal[2] = std::cos(tilt);
    }
    const double light[3] = {-0.48, -0.66, 0.58};
    const double diffuse = std::max(0.0, normal[0] * light[0] + normal[1] * light[1] + normal[2] * light[2]);
    const double t = std::clamp(v / 7.0, 0.0, 1.0);  // 0 at the top of a capital, 1 at its foot
    Rgb gold = mix(Rgb{255, 238, 160}, Rgb{236, 160, 40}, t);
    gold = scaled(gold, 0.35 + 0.85 * diffuse);
    return mix(gold, Rgb{255, 255, 240}, std::pow(diffuse, 14.0) * 0.8);
}

}  // namespace

int titleWidth(std::string_view text, int pixelSize) {
    return text.empty() ? 0 : (int(text.size()) * DESIGN_COLUMNS - 1) * pixelSize;
}

void paintTitle(Canvas& canvas, std::string_view text, int left, int top, int pixelSize) {
    const LetterStrokes strokes = strokesOf(text);
    const double outline = STROKE_RADIUS + std::max(1.2, pixelSize * 0.22) / pixelSize;
    const double drop = std::max(2.0, pixelSize * 0.45) / pixelSize;
    const int margin = 2 * pixelSize;
    for (int y = -margin; y < DESIGN_ROWS * pixelSize + margin; ++y) {
        for (int x = -margin; x < titleWidth(text, pixelSize) + margin; ++x) {
            double sum[3] = {0, 0, 0};
            int face = 0;
            int rim = 0;
            int shadow = 0;
            for (int s = 0; s < 16; ++s) {
                const int subColumn = s % 4;  // a 4 x 4 grid of samples in the pixel
                const int subRow = s / 4;
                const double u = (x + (subColumn + 0.5) / 4.0) / pixelSize;
                const double v = (y + (subRow + 0.5) / 4.0) / pixelSize;
                const Nearest n = nearestStroke(strokes, u, v);
                shadow += nearestStroke(strokes, u - drop, v - drop).distance < outline ? 1 : 0;
                rim += n.distance < outline ? 1 : 0;
                if (n.distance < STROKE_RADIUS) {
                    const Rgb c = strokeColour(n, v);
                    sum[0] += c.r;
                    sum[1] += c.g;
                    sum[2] += c.b;
                    ++face;
                }
            }
            canvas.blend(left + x, top + y, Rgb{0, 0, 0}, 0.6 * shadow / 16.0);
            canvas.blend(left + x, top + y, Rgb{52, 24, 6}, rim / 16.0);
            if (face > 0) {
                const Rgb c{std::uint8_t(sum[0] / face), std::uint8_t(sum[1] / face),
                            std::uint8_t(sum[2] / face)};
                canvas.blend(left + x, top + y, c, face / 16.0);
            }
        }
    }
}
