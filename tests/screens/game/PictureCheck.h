// Test helpers: does a place of a picture show a piece of a bitmap, a text in a font, or nothing
// drawn? Pictures are read through a pixel function, so back buffers and presented frames serve alike.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "shell/BitmapFont.h"
#include "shell/Surface.h"

using PixelSource = std::function<std::uint32_t(int x, int y)>;

// The pixel of a loaded surface (0x00RRGGBB).
[[nodiscard]] std::uint32_t surfacePixel(const Surface& surface, int x, int y);

// True when the w x h area at (x, y) of the picture equals the surface's piece at (sx, sy).
[[nodiscard]] bool showsPiece(const PixelSource& picture, int x, int y, const Surface& surface, int sx,
                              int sy, int w, int h);
// A whole 32 x 32 jewel sprite or strip frame.
[[nodiscard]] bool showsJewel(const PixelSource& picture, int x, int y, const Surface& surface,
                              int frame = 0);
// The text's glyph cells, side by side from (x, y).
[[nodiscard]] bool showsText(const PixelSource& picture, int x, int y, const BitmapFont& font,
                             const std::string& text);
// True when every pixel of the w x h area is `colour`.
[[nodiscard]] bool isPlain(const PixelSource& picture, int x, int y, int w, int h, std::uint32_t colour);
