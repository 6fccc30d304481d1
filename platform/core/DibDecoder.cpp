// Device-independent bitmap and icon decoding with every field checked before it is trusted.
#include "platform/core/DibDecoder.h"

#include <cstring>

namespace veskar::platform {
namespace {

inline constexpr std::int64_t MAX_SIDE = 16384;
inline constexpr std::uint32_t MIN_HEADER_SIZE = 40;

std::uint32_t readU32(std::span<const std::uint8_t> data, std::size_t at) {
    return data[at] | (data[at + 1] << 8) | (data[at + 2] << 16) |
           (static_cast<std::uint32_t>(data[at + 3]) << 24);
}

std::uint16_t readU16(std::span<const std::uint8_t> data, std::size_t at) {
    return static_cast<std::uint16_t>(data[at] | (data[at + 1] << 8));
}

struct DibHeader {
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;  // rows of colour data (halved for icons)
    bool topDown = false;
    int bitsPerPixel = 0;
    std::size_t paletteEntries = 0;
};

bool readHeader(std::span<const std::uint8_t> data, DibLayout layout, DibHeader& header) {
    if (data.size() < MIN_HEADER_SIZE) {
        return false;
    }
    header.headerSize = readU32(data, 0);
    header.width = static_cast<std::int32_t>(readU32(data, 4));
    std::int64_t height = static_cast<std::int32_t>(readU32(data, 8));
    header.bitsPerPixel = readU16(data, 14);
    const std::uint32_t compression = readU32(data, 16);
    const std::uint32_t colorsUsed = readU32(data, 32);
    if (header.headerSize < MIN_HEADER_SIZE || header.headerSize > data.size() || compression != 0) {
        return false;
    }
    header.topDown = height < 0;
    height = header.topDown ? -height : height;
    if (layout == DibLayout::Icon) {
        height /= 2;
    }
    header.height = height;
    if (header.width < 1 || header.width > MAX_SIDE || height < 1 || height > MAX_SIDE) {
        return false;
    }
    const int bits = header.bitsPerPixel;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
        return false;
    }
    if (bits <= 8) {
        const std::size_t full = std::size_t{1} << bits;
        header.paletteEntries = colorsUsed == 0 ? full : colorsUsed;
        if (header.paletteEntries > full) {
            return false;
        }
    }
    return true;
}

std::size_t rowBytes(std::int64_t width, int bits) {
    return static_cast<std::size_t>((width * bits + 31) / 32 * 4);
}

// The colour of pixel x of one stored row; palette indices past the table are black.
std::uint32_t pixelAt(const std::uint8_t* row, std::int64_t x, int bits,
                      std::span<const std::uint32_t> palette) {
    std::size_t index = 0;
    switch (bits) {
        case 1:
            index = (row[x / 8] >> (7 - x % 8)) & 1;
            break;
        case 4:
            index = (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF;
            break;
        case 8:
            index = row[x];
            break;
        case 24:
            return 0xFF000000u | (row[x * 3 + 2] << 16) | (row[x * 3 + 1] << 8) | row[x * 3];
        default:
            return (static_cast<std::uint32_t>(row[x * 4 + 3]) << 24) | (row[x * 4 + 2] << 16) |
                   (row[x * 4 + 1] << 8) | row[x * 4];
    }
    return index < palette.size() ? palette[index] : 0xFF000000u;
}

}  // namespace

bool decodeDib(std::span<const std::uint8_t> data, DibLayout layout, DecodedImage& image) {
    image = DecodedImage{};
    DibHeader header;
    if (!readHeader(data, layout, header)) {
        return false;
    }
    const std::size_t paletteBytes = header.paletteEntries * 4;
    const std::size_t stride = rowBytes(header.width, header.bitsPerPixel);
    const std::size_t maskStride = layout == DibLayout::Icon ? rowBytes(header.width, 1) : 0;
    const auto rows = static_cast<std::size_t>(header.height);
    const std::size_t needed = header.headerSize + paletteBytes + stride * rows + maskStride * rows;
    if (needed > data.size()) {
        return false;
    }
    std::vector<std::uint32_t> palette(header.paletteEntries);
    for (std::size_t i = 0; i < palette.size(); ++i) {
        palette[i] = 0xFF000000u | (readU32(data, header.headerSize + i * 4) & 0xFFFFFF);
    }
    const std::uint8_t* bits = data.data() + header.headerSize + paletteBytes;
    const std::uint8_t* mask = bits + stride * rows;
    image.width = static_cast<int>(header.width);
    image.height = static_cast<int>(header.height);
    image.pixels.resize(static_cast<std::size_t>(image.width) * rows);
    const bool ownAlpha = layout == DibLayout::Icon && header.bitsPerPixel == 32;
    for (std::size_t y = 0; y < rows; ++y) {
        const std::size_t stored = header.topDown ? y : rows - 1 - y;
        std::uint32_t* out = image.pixels.data() + y * image.width;
        for (std::int64_t x = 0; x < header.width; ++x) {
            std::uint32_t color = pixelAt(bits + stored * stride, x, header.bitsPerPixel, palette);
            if (layout == DibLayout::Bitmap) {
                color &= 0x00FFFFFFu;
            } else if (!ownAlpha) {
                // A set AND-mask bit means: show what is beneath.
                const bool transparent = (mask[stored * maskStride + x / 8] >> (7 - x % 8)) & 1;
                color = transparent ? (color & 0x00FFFFFFu) : (color | 0xFF000000u);
            }
            out[x] = color;
        }
    }
    return true;
}

bool decodeIconFile(std::span<const std::uint8_t> data, DecodedImage& image) {
    image = DecodedImage{};
    if (data.size() < 6 || readU16(data, 0) != 0 || readU16(data, 2) != 1) {
        return false;
    }
    const std::size_t count = readU16(data, 4);
    if (data.size() < 6 + count * 16) {
        return false;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + i * 16;
        const std::uint32_t size = readU32(data, entry + 8);
        const std::uint32_t offset = readU32(data, entry + 12);
        if (offset > data.size() || size > data.size() - offset) {
            continue;
        }
        DecodedImage candidate;
        if (decodeDib(data.subspan(offset, size), DibLayout::Icon, candidate) &&
            candidate.pixels.size() > image.pixels.size()) {
            image = std::move(candidate);
        }
    }
    return !image.pixels.empty();
}

}  // namespace veskar::platform
