// Fixed-pitch text drawn from a glyph sheet: each character is one opaque cell copied from the
// sheet's memory context into the destination, side by side on one line.
#pragma once

#include <array>
#include <cstdint>

#include "platform/Platform.h"
#include "shell/Surface.h"

class BitmapFont {
  public:
    struct GlyphPosition {
        int x = 0;
        int y = 0;
    };

    BitmapFont() = default;
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;
    virtual ~BitmapFont();

    // Loads the sheet (releasing a loaded one first) and lays out the glyph table: cells of
    // cellWidth by cellHeight on a grid of pitch cell + gap from (gap, gap), row by row, glyph
    // index = character code - 32. Message-loop thread only.
    void load(HDC dc, HINSTANCE instance, int resourceNumber, int cellWidth, int cellHeight, int gap);
    // Draws the NUL-terminated text with its top-left corner at (x, y), cellWidth pixels per
    // character; codes below 32 leave their cell untouched but still advance. No clipping.
    void drawText(HDC dst, const char* text, int x, int y) const;
    // Draws the number in decimal, with a leading minus sign when negative.
    void drawNumber(HDC dst, std::int64_t number, int x, int y) const;
    void release();

    int cellWidth = 0;   // pixels, also the pen advance
    int cellHeight = 0;  // pixels
    int gap = 0;         // pixels between cells and before the first row and column
    bool loaded = false;
    std::array<GlyphPosition, 256> glyphs{};  // top-left of each cell on the sheet; (0, 0) where none
    Surface sheet;

  private:
    void layOutGlyphs();
};
