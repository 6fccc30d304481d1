// One-bit masks and their smoothing enlargement.
#include "tools/artgen/GlyphMask.h"

GlyphMask::GlyphMask(int width, int height)
    : width_(width), height_(height), bits_(static_cast<std::size_t>(width * height), 0) {}

GlyphMask GlyphMask::fromDesign(const GlyphDesign& design) {
    GlyphMask mask(DESIGN_COLUMNS, DESIGN_ROWS);
    for (int y = 0; y < DESIGN_ROWS; ++y) {
        for (int x = 0; x < DESIGN_COLUMNS && design.rows[std::size_t(y)][x] != '\0'; ++x) {
            mask.set(x, y, design.rows[std::size_t(y)][x] == 'X');
        }
    }
    return mask;
}

bool GlyphMask::ink(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return false;
    }
    return bits_[static_cast<std::size_t>(y * width_ + x)] != 0;
}

void GlyphMask::set(int x, int y, bool ink) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) {
        bits_[static_cast<std::size_t>(y * width_ + x)] = ink ? 1 : 0;
    }
}

GlyphMask GlyphMask::smoothDoubled() const {
    GlyphMask out(width_ * 2, height_ * 2);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const bool p = ink(x, y);
            const bool up = ink(x, y - 1);
            const bool right = ink(x + 1, y);
            const bool left = ink(x - 1, y);
            const bool down = ink(x, y + 1);
            out.set(2 * x, 2 * y, (left == up && left != down && up != right) ? up : p);
            out.set(2 * x + 1, 2 * y, (up == right && up != left && right != down) ? right : p);
            out.set(2 * x, 2 * y + 1, (down == left && down != right && left != up) ? left : p);
            out.set(2 * x + 1, 2 * y + 1, (right == down && right != up && down != left) ? down : p);
        }
    }
    return out;
}
