// Glyph table layout and text drawing of the bitmap fonts.
#include "shell/BitmapFont.h"

#include <cstdio>

BitmapFont::~BitmapFont() {
    release();
}

void BitmapFont::load(HDC dc, HINSTANCE instance, int resourceNumber, int cellWidthPixels,
                      int cellHeightPixels, int gapPixels) {
    if (loaded) {
        release();
    }
    sheet.load(dc, instance, resourceNumber);
    cellWidth = cellWidthPixels;
    cellHeight = cellHeightPixels;
    gap = gapPixels;
    layOutGlyphs();
    loaded = true;
}

void BitmapFont::layOutGlyphs() {
    glyphs.fill(GlyphPosition{});
    const int pitchX = cellWidth + gap;
    const int pitchY = cellHeight + gap;
    if (pitchX <= 0 || pitchY <= 0 || sheet.width <= 0 || sheet.height <= 0) {
        return;  // no usable grid: every glyph stays at (0, 0)
    }
    const unsigned columns = static_cast<unsigned>(sheet.width) / static_cast<unsigned>(pitchX);
    const unsigned rows = static_cast<unsigned>(sheet.height) / static_cast<unsigned>(pitchY);
    std::size_t glyph = 0;
    for (unsigned row = 0; row < rows && glyph < glyphs.size(); ++row) {
        for (unsigned column = 0; column < columns && glyph < glyphs.size(); ++column) {
            glyphs[glyph++] =
                GlyphPosition{gap + static_cast<int>(column) * pitchX, gap + static_cast<int>(row) * pitchY};
        }
    }
}

void BitmapFont::drawText(HDC dst, const char* text, int x, int y) const {
    if (text == nullptr) {
        return;
    }
    for (int i = 0; text[i] != '\0'; ++i) {
        const auto code = static_cast<unsigned char>(text[i]);
        if (code < 32) {
            continue;  // no glyph below the space
        }
        const GlyphPosition& cell = glyphs[code - 32];
        BitBlt(dst, x + i * cellWidth, y, cellWidth, cellHeight, sheet.memoryDC, cell.x, cell.y, SRCCOPY);
    }
}

void BitmapFont::drawNumber(HDC dst, std::int64_t number, int x, int y) const {
    char digits[24];  // "-9223372036854775808" and its terminator fit
    std::snprintf(digits, sizeof digits, "%lld", static_cast<long long>(number));
    drawText(dst, digits, x, y);
}

void BitmapFont::release() {
    if (loaded) {
        sheet.release();
        loaded = false;
    }
}
