// Encodes the program icon: square 32-bit images with alpha in one .ico file.
#pragma once

#include <cstdint>
#include <vector>

struct Rgba {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;  // 0 transparent .. 255 opaque
};

struct IconImage {
    int size = 0;              // width and height in pixels, 1..255
    std::vector<Rgba> pixels;  // size * size entries, top row first
};

// The bytes of an .ico file holding the images in the given order, each as a 32-bit bitmap with its
// AND mask (set where alpha is 0). Empty when an image has a bad size or pixel count.
[[nodiscard]] std::vector<std::uint8_t> encodeIcon(const std::vector<IconImage>& images);
