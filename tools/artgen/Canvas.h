// A true-colour picture that the painters draw into before it is reduced to a palette.
#pragma once

#include "tools/artgen/Rect.h"

#include <cstdint>
#include <vector>

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The colour t of the way from a to b (t 0..1, clamped).
[[nodiscard]] Rgb mix(Rgb a, Rgb b, double t);
// The colour with every channel multiplied by f (clamped to 0..255).
[[nodiscard]] Rgb scaled(Rgb c, double f);

class Canvas {
  public:
    Canvas(int width, int height, Rgb fill);

    [[nodiscard]] int width() const { return width_; }
    [[nodiscard]] int height() const { return height_; }
    [[nodiscard]] bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    // Pixel at (x, y); black outside the picture.
    [[nodiscard]] Rgb get(int x, int y) const;
    // Writes outside the picture are dropped.
    void set(int x, int y, Rgb c);
    // Lays c over the pixel with opacity alpha (0..1).
    void blend(int x, int y, Rgb c, double alpha);
    void fill(const Rect& area, Rgb c);
    // Copies the whole of source with its top-left corner at (x, y), cut to this picture.
    void paste(const Canvas& source, int x, int y);
    [[nodiscard]] const std::vector<Rgb>& pixels() const { return pixels_; }

  private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};
