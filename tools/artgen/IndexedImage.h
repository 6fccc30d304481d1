// A palette picture as it goes into a bitmap file: one palette index per pixel, rows from the top.
#pragma once

#include "tools/artgen/Canvas.h"

#include <cstdint>
#include <vector>

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;           // at most 256 entries
    std::vector<std::uint8_t> indices;  // width * height entries, top row first
};
