// A one-bit picture of ink, used for glyphs and the title lettering.
#pragma once

#include "tools/artgen/GlyphDesigns.h"

#include <cstdint>
#include <vector>

class GlyphMask {
  public:
    GlyphMask(int width, int height);

    // The design's ink, one mask pixel per design pixel.
    [[nodiscard]] static GlyphMask fromDesign(const GlyphDesign& design);

    [[nodiscard]] int width() const { return width_; }
    [[nodiscard]] int height() const { return height_; }
    // Ink at (x, y); false outside the mask.
    [[nodiscard]] bool ink(int x, int y) const;
    void set(int x, int y, bool ink);
    // Twice the size, with diagonal steps filled in so that slopes and round letters look smooth
    // instead of stair-stepped (each pixel becomes four, the corner ones taking a neighbour's
    // value where two neighbours agree across a diagonal).
    [[nodiscard]] GlyphMask smoothDoubled() const;

  private:
    int width_;
    int height_;
    std::vector<std::uint8_t> bits_;
};
