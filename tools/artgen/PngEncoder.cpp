// PNG chunks with their CRC, and a zlib stream of stored blocks with its Adler-32.
#include "tools/artgen/PngEncoder.h"

#include <array>
#include <cstddef>

namespace {

inline constexpr std::size_t STORED_BLOCK_LIMIT = 65535;  // bytes one stored deflate block holds

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            entries[n] = c;
        }
        return entries;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(const std::vector<std::uint8_t>& data) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void appendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void appendChunk(std::vector<std::uint8_t>& out, const char (&type)[5],
                 const std::vector<std::uint8_t>& data) {
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    appendBigEndian(out, crc32(out.data() + start, out.size() - start));
}

// A zlib stream (no compression) of the filtered scanlines: filter byte 0, then RGBA.
std::vector<std::uint8_t> zlibStored(const std::vector<std::uint8_t>& raw) {
    std::vector<std::uint8_t> out{0x78, 0x01};
    std::size_t done = 0;
    do {
        const std::size_t count = std::min(STORED_BLOCK_LIMIT, raw.size() - done);
        const bool last = done + count == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(count));
        out.push_back(static_cast<std::uint8_t>(count >> 8));
        out.push_back(static_cast<std::uint8_t>(~count));
        out.push_back(static_cast<std::uint8_t>(~count >> 8));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(done),
                   raw.begin() + static_cast<std::ptrdiff_t>(done + count));
        done += count;
    } while (done < raw.size());
    appendBigEndian(out, adler32(raw));
    return out;
}

}  // namespace

std::vector<std::uint8_t> encodePng(const IconImage& image) {
    if (image.size < 1 || image.pixels.size() != static_cast<std::size_t>(image.size) * image.size) {
        return {};
    }
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(image.size) * (1 + 4 * static_cast<std::size_t>(image.size)));
    for (int y = 0; y < image.size; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < image.size; ++x) {
            const Rgba& p = image.pixels[static_cast<std::size_t>(y) * image.size + x];
            raw.insert(raw.end(), {p.r, p.g, p.b, p.a});
        }
    }
    std::vector<std::uint8_t> header;
    appendBigEndian(header, static_cast<std::uint32_t>(image.size));
    appendBigEndian(header, static_cast<std::uint32_t>(image.size));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive filters, no interlace
    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    appendChunk(out, "IHDR", header);
    appendChunk(out, "IDAT", zlibStored(raw));
    appendChunk(out, "IEND", {});
    return out;
}
