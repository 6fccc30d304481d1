// Writes 4- and 8-bit uncompressed bitmap files.
#include "tools/artgen/BmpEncoder.h"

#include <algorithm>

void appendLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

namespace {

bool fitsDepth(const IndexedImage& image, int bitsPerPixel) {
    const std::size_t colours = std::size_t{1} << bitsPerPixel;
    if (image.palette.size() > colours ||
        image.indices.size() != std::size_t(image.width) * std::size_t(image.height)) {
        return false;
    }
    return std::all_of(image.indices.begin(), image.indices.end(),
                       [&](std::uint8_t i) { return i < image.palette.size(); });
}

void appendRow(std::vector<std::uint8_t>& out, const IndexedImage& image, int y, int bitsPerPixel,
               int rowBytes) {
    const std::size_t start = out.size();
    const std::uint8_t* row = image.indices.data() + std::size_t(y) * std::size_t(image.width);
    if (bitsPerPixel == 8) {
        out.insert(out.end(), row, row + image.width);
    } else {
        for (int x = 0; x < image.width; x += 2) {
            const std::uint8_t low = x + 1 < image.width ? row[x + 1] : 0;
            out.push_back(static_cast<std::uint8_t>((row[x] << 4) | low));
        }
    }
    out.resize(start + std::size_t(rowBytes), 0);
}

}  // namespace

std::vector<std::uint8_t> encodeBmp(const IndexedImage& image, int bitsPerPixel) {
    if ((bitsPerPixel != 4 && bitsPerPixel != 8) || !fitsDepth(image, bitsPerPixel)) {
        return {};
    }
    const std::uint32_t colours = 1U << bitsPerPixel;
    const int rowBytes = ((image.width * bitsPerPixel + 31) / 32) * 4;
    const std::uint32_t pixelBytes = std::uint32_t(rowBytes) * std::uint32_t(image.height);
    const std::uint32_t offset = 14 + 40 + 4 * colours;
    std::vector<std::uint8_t> out{'B', 'M'};
    appendLittleEndian(out, offset + pixelBytes, 4);
    appendLittleEndian(out, 0, 4);  // two reserved words
    appendLittleEndian(out, offset, 4);
    appendLittleEndian(out, 40, 4);
    appendLittleEndian(out, std::uint32_t(image.width), 4);
    appendLittleEndian(out, std::uint32_t(image.height), 4);  // positive: rows run bottom-up
    appendLittleEndian(out, 1, 2);
    appendLittleEndian(out, std::uint32_t(bitsPerPixel), 2);
    appendLittleEndian(out, 0, 4);  // no compression
    appendLittleEndian(out, pixelBytes, 4);
    appendLittleEndian(out, 2835, 4);  // 72 dots per inch, in dots per metre
    appendLittleEndian(out, 2835, 4);
    appendLittleEndian(out, colours, 4);
    appendLittleEndian(out, 0, 4);
    for (std::uint32_t i = 0; i < colours; ++i) {
        const Rgb c = i < image.palette.size() ? image.palette[i] : Rgb{};
        out.insert(out.end(), {c.b, c.g, c.r, 0});
    }
    for (int y = image.height - 1; y >= 0; --y) {
        appendRow(out, image, y, bitsPerPixel, rowBytes);
    }
    return out;
}
