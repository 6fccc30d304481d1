// Comparing pictures with the bitmaps they are drawn from.
#include "tests/screens/game/PictureCheck.h"

#include "platform/core/GdiObjects.h"

std::uint32_t surfacePixel(const Surface& surface, int x, int y) {
    if (!surface.loaded || x < 0 || y < 0 || x >= surface.width || y >= surface.height) {
        return 0xFF000000;  // matches no picture pixel
    }
    return surface.bitmap->pixels[static_cast<std::size_t>(y) * surface.width + x] & 0xFFFFFF;
}

bool showsPiece(const PixelSource& picture, int x, int y, const Surface& surface, int sx, int sy, int w,
                int h) {
    for (int row = 0; row < h; ++row) {
        for (int column = 0; column < w; ++column) {
            if (picture(x + column, y + row) != surfacePixel(surface, sx + column, sy + row)) {
                return false;
            }
        }
    }
    return true;
}

bool showsJewel(const PixelSource& picture, int x, int y, const Surface& surface, int frame) {
    return showsPiece(picture, x, y, surface, 32 * frame, 0, 32, 32);
}

bool showsText(const PixelSource& picture, int x, int y, const BitmapFont& font, const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto& cell = font.glyphs[static_cast<unsigned char>(text[i]) - 32];
        if (!showsPiece(picture, x + static_cast<int>(i) * font.cellWidth, y, font.sheet, cell.x, cell.y,
                        font.cellWidth, font.cellHeight)) {
            return false;
        }
    }
    return true;
}

bool isPlain(const PixelSource& picture, int x, int y, int w, int h, std::uint32_t colour) {
    for (int row = 0; row < h; ++row) {
        for (int column = 0; column < w; ++column) {
            if (picture(x + column, y + row) != colour) {
                return false;
            }
        }
    }
    return true;
}
