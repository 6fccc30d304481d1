// Decoding of device-independent bitmaps (as bitmap resources and icon images store them) into
// 32-bit pixels. Every size, count and offset is checked against the bytes that are there.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace veskar::platform {

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // top row first; bitmaps 0x00RRGGBB, icons 0xAARRGGBB
};

enum class DibLayout {
    Bitmap,  // a bitmap resource: header, colour table, pixel rows
    Icon,    // an icon image: the same with double height, a 1-bit AND mask after the colour rows
};

// Decodes an uncompressed 1-, 4-, 8-, 24- or 32-bit DIB with a header of at least 40 bytes,
// bottom-up or top-down. Returns false, leaving `image` empty, for anything malformed, truncated,
// compressed or larger than 16384 pixels a side.
[[nodiscard]] bool decodeDib(std::span<const std::uint8_t> data, DibLayout layout, DecodedImage& image);

// Picks the largest uncompressed image of an icon file (.ico layout) and decodes it, its AND mask
// becoming transparency. False when the file holds no decodable image.
[[nodiscard]] bool decodeIconFile(std::span<const std::uint8_t> data, DecodedImage& image);

}  // namespace veskar::platform
