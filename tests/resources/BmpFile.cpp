// Bitmap reading for the artwork tests, checking every offset and count against the file's length.
#include "tests/resources/BmpFile.h"

#include <fstream>
#include <iterator>

namespace {

std::uint32_t readLittleEndian(const std::vector<std::uint8_t>& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[at + std::size_t(i)];
    }
    return value;
}

bool readPixels(const std::vector<std::uint8_t>& bytes, std::size_t offset, BmpFile& bmp,
                std::string& error) {
    const std::size_t rowBytes = std::size_t((bmp.width * bmp.bitsPerPixel + 31) / 32) * 4;
    if (offset > bytes.size() || rowBytes * std::size_t(bmp.height) > bytes.size() - offset) {
        error = "pixel rows run past the end of the file";
        return false;
    }
    bmp.indices.assign(std::size_t(bmp.width) * std::size_t(bmp.height), 0);
    for (int row = 0; row < bmp.height; ++row) {
        const std::size_t start = offset + std::size_t(row) * rowBytes;
        const int y = bmp.height - 1 - row;  // bottom-up
        for (int x = 0; x < bmp.width; ++x) {
            std::uint8_t index = 0;
            if (bmp.bitsPerPixel == 8) {
                index = bytes[start + std::size_t(x)];
            } else {
                const std::uint8_t pair = bytes[start + std::size_t(x / 2)];
                index = (x % 2 == 0) ? std::uint8_t(pair >> 4) : std::uint8_t(pair & 0x0f);
            }
            if (index >= bmp.palette.size()) {
                error = "pixel index beyond the palette";
                return false;
            }
            bmp.indices[std::size_t(y) * std::size_t(bmp.width) + std::size_t(x)] = index;
        }
    }
    return true;
}

}  // namespace

Colour BmpFile::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return {};
    }
    return palette[indices[std::size_t(y) * std::size_t(width) + std::size_t(x)]];
}

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path resourcesDir() {
    return std::filesystem::path(VESKAR_RESOURCES_DIR);
}

bool readBmp(const std::filesystem::path& path, BmpFile& bmp, std::string& error) {
    const std::vector<std::uint8_t> bytes = readBytes(path);
    bmp = {};
    bmp.actualFileSize = bytes.size();
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || readLittleEndian(bytes, 14, 4) != 40) {
        error = "not a bitmap file with a 40-byte info header";
        return false;
    }
    bmp.declaredFileSize = readLittleEndian(bytes, 2, 4);
    const std::uint32_t offset = readLittleEndian(bytes, 10, 4);
    const auto width = std::int32_t(readLittleEndian(bytes, 18, 4));
    const auto height = std::int32_t(readLittleEndian(bytes, 22, 4));
    bmp.bitsPerPixel = int(readLittleEndian(bytes, 28, 2));
    bmp.compression = readLittleEndian(bytes, 30, 4);
    std::uint32_t colours = readLittleEndian(bytes, 46, 4);
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096 ||
        (bmp.bitsPerPixel != 4 && bmp.bitsPerPixel != 8)) {
        error = "unexpected size or depth";
        return false;
    }
    bmp.width = width;
    bmp.height = height;
    colours = colours == 0 ? (1U << bmp.bitsPerPixel) : colours;
    if (colours > (1U << bmp.bitsPerPixel) || 54 + std::size_t(colours) * 4 > bytes.size() ||
        offset < 54 + colours * 4) {
        error = "palette does not fit";
        return false;
    }
    for (std::uint32_t i = 0; i < colours; ++i) {
        const std::size_t at = 54 + std::size_t(i) * 4;
        bmp.palette.push_back({bytes[at + 2], bytes[at + 1], bytes[at]});
    }
    return readPixels(bytes, offset, bmp, error);
}
