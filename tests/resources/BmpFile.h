// A small reader of uncompressed 4- and 8-bit bitmap files, for checking the committed artwork.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct Colour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

struct BmpFile {
    int width = 0;
    int height = 0;        // rows; the file stores them bottom-up
    int bitsPerPixel = 0;  // 4 or 8
    std::uint32_t compression = 0;
    std::uint32_t declaredFileSize = 0;
    std::size_t actualFileSize = 0;
    std::vector<Colour> palette;
    std::vector<std::uint8_t> indices;  // width * height, top row first

    // Colour of pixel (x, y) counted from the top-left corner; black outside the picture.
    [[nodiscard]] Colour at(int x, int y) const;
};

// Reads path into bmp. False, with a reason in error, for anything but a well-formed uncompressed
// 4- or 8-bit bitmap whose palette, rows and indices all lie within the file and the palette.
[[nodiscard]] bool readBmp(const std::filesystem::path& path, BmpFile& bmp, std::string& error);

// The whole file as bytes; empty when it cannot be read.
[[nodiscard]] std::vector<std::uint8_t> readBytes(const std::filesystem::path& path);

// Folder of the committed resources (bitmaps/, icons/).
[[nodiscard]] std::filesystem::path resourcesDir();
