// Writes .ico files of 32-bit images with alpha and a transparency mask.
#include "tools/artgen/IconEncoder.h"

#include "tools/artgen/BmpEncoder.h"

namespace {

std::vector<std::uint8_t> encodeImage(const IconImage& image) {
    const int size = image.size;
    const int maskRow = ((size + 31) / 32) * 4;
    std::vector<std::uint8_t> out;
    appendLittleEndian(out, 40, 4);
    appendLittleEndian(out, std::uint32_t(size), 4);
    appendLittleEndian(out, std::uint32_t(size * 2), 4);  // colour rows and mask rows together
    appendLittleEndian(out, 1, 2);
    appendLittleEndian(out, 32, 2);
    appendLittleEndian(out, 0, 4);
    appendLittleEndian(out, std::uint32_t(size * size * 4 + maskRow * size), 4);
    for (int i = 0; i < 4; ++i) {
        appendLittleEndian(out, 0, 4);
    }
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const Rgba p = image.pixels[std::size_t(y * size + x)];
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(std::size_t(maskRow), 0);
        for (int x = 0; x < size; ++x) {
            if (image.pixels[std::size_t(y * size + x)].a == 0) {
                row[std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> encodeIcon(const std::vector<IconImage>& images) {
    std::vector<std::vector<std::uint8_t>> bodies;
    for (const IconImage& image : images) {
        if (image.size < 1 || image.size > 255 ||
            image.pixels.size() != std::size_t(image.size * image.size)) {
            return {};
        }
        bodies.push_back(encodeImage(image));
    }
    std::vector<std::uint8_t> out;
    appendLittleEndian(out, 0, 2);
    appendLittleEndian(out, 1, 2);  // resource type: icon
    appendLittleEndian(out, std::uint32_t(images.size()), 2);
    std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(std::uint8_t(images[i].size));
        out.push_back(std::uint8_t(images[i].size));
        out.push_back(0);  // no palette
        out.push_back(0);
        appendLittleEndian(out, 1, 2);
        appendLittleEndian(out, 32, 2);
        appendLittleEndian(out, std::uint32_t(bodies[i].size()), 4);
        appendLittleEndian(out, offset, 4);
        offset += std::uint32_t(bodies[i].size());
    }
    for (const auto& body : bodies) {
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}
