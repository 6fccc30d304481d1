// A pixel rectangle: left and top inclusive, right and bottom exclusive.
#pragma once

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    [[nodiscard]] constexpr int width() const { return right - left; }
    [[nodiscard]] constexpr int height() const { return bottom - top; }
    [[nodiscard]] constexpr bool contains(int x, int y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    // The rectangle grown by d pixels on every side (shrunk for negative d).
    [[nodiscard]] constexpr Rect grown(int d) const { return {left - d, top - d, right + d, bottom + d}; }
};
