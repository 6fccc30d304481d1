// Encodes palette pictures as uncompressed device-independent bitmap files.
#pragma once

#include "tools/artgen/IndexedImage.h"

#include <cstdint>
#include <vector>

// The bytes of a .bmp file (file header, 40-byte info header, full palette of 2^bitsPerPixel entries,
// bottom-up rows padded to 4 bytes) for bitsPerPixel 4 or 8. Empty when the picture has more palette
// entries than the depth holds, an index beyond its palette, or another depth is asked for.
[[nodiscard]] std::vector<std::uint8_t> encodeBmp(const IndexedImage& image, int bitsPerPixel);

// Appends value as little-endian bytes of the given count.
void appendLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes);
