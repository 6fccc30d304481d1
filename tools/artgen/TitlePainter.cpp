// Title lettering: the letter designs are smoothed twice (4 times the design resolution), sampled
// 4 x 4 per pixel, filled with a gold gradient, bevelled from the top left and outlined in dark brown
// with a drop shadow.
#include "tools/artgen/TitlePainter.h"

#include "tools/artgen/GlyphMask.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int DETAIL = 4;  // smoothed mask pixels per design pixel

struct Letters {
    std::vector<GlyphMask> masks;
    int pixelSize;
    // Ink at a point given in design pixels from the text's top-left corner.
    [[nodiscard]] bool ink(double u, double v) const
    {
        if (u < 0 || v < 0) {
            return false;
        }
        const int letter = int(u) / DESIGN_COLUMNS;
        if (letter >= int(masks.size())) {
            return false;
        }
        const double inLetter = u - letter * DESIGN_COLUMNS;
        return masks[std::size_t(letter)].ink(int(inLetter * DETAIL), int(v * DETAIL));
    }
};

Letters letterMasks(std::string_view text, int pixelSize)
{
    Letters letters{{}, pixelSize};
    for (const char ch : text) {
        GlyphMask mask(DESIGN_COLUMNS * DETAIL, DESIGN_ROWS * DETAIL);
        if (const GlyphDesign* design = designFor(static_cast<unsigned char>(ch))) {
            mask = GlyphMask::fromDesign(*design).smoothDoubled().smoothDoubled();
        }
        letters.masks.push_back(std::move(mask));
    }
    return letters;
}

// Fraction of 4 x 4 samples of pixel (x, y), moved by (shiftX, shiftY) pixels, that hit ink.
double coverage(const Letters& letters, int x, int y, double shiftX, double shiftY)
{
    int hits = 0;
    for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
            const double u = (x + (sx + 0.5) / 4.0 + shiftX) / letters.pixelSize;
            const double v = (y + (sy + 0.5) / 4.0 + shiftY) / letters.pixelSize;
            hits += letters.ink(u, v) ? 1 : 0;
        }
    }
    return hits / 16.0;
}

// Ink near the pixel within radius pixels (the outline is the ink grown by this much).
double grownCoverage(const Letters& letters, int x, int y, double radius)
{
    double best = 0;
    for (const auto& [dx, dy] : {std::pair{0.0, 0.0}, {radius, 0.0}, {-radius, 0.0}, {0.0, radius}, {0.0, -radius},
                                 {radius * 0.7, radius * 0.7}, {-radius * 0.7, radius * 0.7},
                                 {radius * 0.7, -radius * 0.7}, {-radius * 0.7, -radius * 0.7}}) {
        best = std::max(best, coverage(letters, x, y, dx, dy));
    }
    return best;
}

Rgb letterFace(const Letters& letters, int x, int y, int height)
{
    const double bevel = std::max(1.0, letters.pixelSize * 0.35);
    const double t = double(y) / height;
    Rgb face = mix(Rgb{255, 244, 176}, Rgb{226, 150, 36}, t * 1.3);
    face = mix(face, Rgb{150, 70, 10}, std::max(0.0, t - 0.75) * 2.0);
    if (coverage(letters, x, y, -bevel, -bevel) < 0.5) {
        face = mix(face, Rgb{255, 255, 236}, 0.75);  // lit upper-left edge
    } else if (coverage(letters, x, y, bevel, bevel) < 0.5) {
        face = mix(face, Rgb{120, 56, 8}, 0.6);  // shaded lower-right edge
    }
    return face;
}

} // namespace

int titleWidth(std::string_view text, int pixelSize)
{
    return text.empty() ? 0 : (int(text.size()) * DESIGN_COLUMNS - 1) * pixelSize;
}

void paintTitle(Canvas& canvas, std::string_view text, int left, int top, int pixelSize)
{
    const Letters letters = letterMasks(text, pixelSize);
    const int width = titleWidth(text, pixelSize) + 2 * pixelSize;
    const int height = DESIGN_ROWS * pixelSize;
    const double outline = std::max(1.5, pixelSize * 0.3);
    const double drop = std::max(2.0, pixelSize * 0.5);
    for (int y = -pixelSize; y < height; ++y) {
        for (int x = -pixelSize; x < width; ++x) {
            const double shadow = grownCoverage(letters, x, y, outline);
            const double shadowShifted = grownCoverage(letters, int(x - drop), int(y - drop), outline);
            canvas.blend(left + x, top + y, Rgb{0, 0, 0}, 0.6 * shadowShifted);
            canvas.blend(left + x, top + y, Rgb{46, 20, 4}, shadow);
            const double ink = coverage(letters, x, y, 0, 0);
            if (ink > 0) {
                canvas.blend(left + x, top + y, letterFace(letters, x, y, height * 7 / 9), ink);
            }
        }
    }
}
