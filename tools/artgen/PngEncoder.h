// Encodes a square RGBA image as a PNG file, for the desktop's icon theme. The image data is kept
// in stored (uncompressed) deflate blocks: the icons are small, and the encoder stays a page long.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/artgen/IconEncoder.h"

// The bytes of a PNG file (8-bit RGBA, no interlace) of the image; empty for a bad size or pixel count.
[[nodiscard]] std::vector<std::uint8_t> encodePng(const IconImage& image);
