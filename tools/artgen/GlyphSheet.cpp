// Glyph sheet painting: each glyph is the smoothed double of its design, lit from above with a
// five-step ramp, a bright top edge, softened inner corners and a drop shadow, all in 16 colours.
#include "tools/artgen/GlyphSheet.h"

#include "tools/artgen/ArtLayout.h"
#include "tools/artgen/GlyphMask.h"

#include <array>
#include <string_view>

namespace {

// Palette slots of a sheet.
enum Slot : std::uint8_t {
    BACKGROUND = 0,
    GRID = 1,
    SHADOW = 2,
    RAMP = 3,  // RAMP .. RAMP + 4: ink from top to bottom
    TOP_EDGE = 8,
    CORNER = 9,
    BLANK = 10,
    CAPTION = 11,
    CAPTION_SHADOW = 12,
    SLOTS = 16
};

std::vector<Rgb> sheetPalette(GlyphColours colours) {
    const bool gold = colours == GlyphColours::Gold;
    const std::array<Rgb, 5> ramp =
        gold ? std::array<Rgb, 5>{Rgb{255, 236, 150},
                                  {252, 212, 92},
                                  {238, 180, 52},
                                  {214, 146, 34},
                                  {178, 108, 24}}
             : std::array<Rgb, 5>{
                   Rgb{214, 244, 255}, {156, 218, 255}, {104, 184, 252}, {70, 148, 236}, {48, 110, 210}};
    std::vector<Rgb> palette(SLOTS, Rgb{});
    palette[BACKGROUND] = TEXT_BACKGROUND;
    palette[GRID] = {44, 58, 120};
    palette[SHADOW] = {4, 6, 24};
    for (std::size_t i = 0; i < ramp.size(); ++i) {
        palette[RAMP + i] = ramp[i];
    }
    palette[TOP_EDGE] = gold ? Rgb{255, 252, 222} : Rgb{240, 252, 255};
    palette[CORNER] = mix(TEXT_BACKGROUND, ramp[2], 0.45);
    palette[BLANK] = {6, 10, 34};
    palette[CAPTION] = gold ? Rgb{170, 140, 80} : Rgb{120, 160, 210};
    palette[CAPTION_SHADOW] = {0, 0, 0};
    return palette;
}

// The ink of one cell, 14 x 18: a design doubled and smoothed, or one of the two scroll triangles.
GlyphMask cellMask(int code) {
    if (code == UP_TRIANGLE_CODE || code == DOWN_TRIANGLE_CODE) {
        GlyphMask mask(CELL_WIDTH, CELL_HEIGHT);
        for (int row = 0; row < 12; ++row) {  // 12 rows, 2 pixels wide at the tip, 12 at the base
            const int half = 1 + row / 2;
            const int y = code == UP_TRIANGLE_CODE ? 3 + row : 14 - row;
            for (int x = 7 - half; x < 7 + half; ++x) {
                mask.set(x, y, true);
            }
        }
        return mask;
    }
    GlyphMask mask(CELL_WIDTH, CELL_HEIGHT);
    if (const GlyphDesign* design = designFor(code)) {
        const GlyphMask doubled = GlyphMask::fromDesign(*design).smoothDoubled();
        for (int y = 0; y < CELL_HEIGHT; ++y) {
            for (int x = 0; x < CELL_WIDTH - 1; ++x) {
                mask.set(x + 1, y, doubled.ink(x, y));  // one pixel of margin on the left
            }
        }
    }
    return mask;
}

std::uint8_t cellPixel(const GlyphMask& mask, int x, int y) {
    if (mask.ink(x, y)) {
        if (!mask.ink(x, y - 1)) {
            return TOP_EDGE;
        }
        return static_cast<std::uint8_t>(RAMP + (y * 5) / CELL_HEIGHT);
    }
    const bool left = mask.ink(x - 1, y);
    const bool right = mask.ink(x + 1, y);
    const bool up = mask.ink(x, y - 1);
    const bool down = mask.ink(x, y + 1);
    // A step of a slope (two ink neighbours at a right angle, with no ink in the corner between
    // them): a half-tone softens it. Inner corners of crossing strokes stay clear.
    const bool step = (left && up && !mask.ink(x - 1, y - 1)) || (up && right && !mask.ink(x + 1, y - 1)) ||
                      (right && down && !mask.ink(x + 1, y + 1)) || (down && left && !mask.ink(x - 1, y + 1));
    if (step) {
        return CORNER;
    }
    if (mask.ink(x - 1, y - 1)) {
        return SHADOW;  // drop shadow one pixel down and right
    }
    return BACKGROUND;
}

void paintCell(IndexedImage& sheet, int cell, int code) {
    const int left = CELL_GAP + (cell % CELLS_PER_ROW) * (CELL_WIDTH + CELL_GAP);
    const int top = CELL_GAP + (cell / CELLS_PER_ROW) * (CELL_HEIGHT + CELL_GAP);
    const GlyphMask mask = cellMask(code);
    for (int y = 0; y < CELL_HEIGHT; ++y) {
        for (int x = 0; x < CELL_WIDTH; ++x) {
            sheet.indices[std::size_t((top + y) * SHEET_WIDTH + left + x)] = cellPixel(mask, x, y);
        }
    }
}

// Writes text in the design pixels themselves (7 pixels per character), shadow first, then ink.
void paintCaption(IndexedImage& sheet, std::string_view text, int left, int top) {
    for (const std::uint8_t colour : {CAPTION_SHADOW, CAPTION}) {
        const int shift = colour == CAPTION_SHADOW ? 1 : 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const GlyphDesign* design = designFor(static_cast<unsigned char>(text[i]));
            if (design == nullptr) {
                continue;
            }
            const GlyphMask mask = GlyphMask::fromDesign(*design);
            for (int y = 0; y < DESIGN_ROWS; ++y) {
                for (int x = 0; x < DESIGN_COLUMNS; ++x) {
                    const int px = left + int(i) * 7 + x + shift;
                    const int py = top + y + shift;
                    if (mask.ink(x, y) && px < SHEET_WIDTH && py < SHEET_HEIGHT) {
                        sheet.indices[std::size_t(py * SHEET_WIDTH + px)] = colour;
                    }
                }
            }
        }
    }
}

}  // namespace

IndexedImage paintGlyphSheet(GlyphColours colours) {
    IndexedImage sheet{SHEET_WIDTH, SHEET_HEIGHT, sheetPalette(colours),
                       std::vector<std::uint8_t>(std::size_t(SHEET_WIDTH * SHEET_HEIGHT), BLANK)};
    const int gridBottom = GRID_ROWS * (CELL_HEIGHT + CELL_GAP) + CELL_GAP;
    for (int y = 0; y < gridBottom; ++y) {
        for (int x = 0; x < SHEET_WIDTH; ++x) {
            sheet.indices[std::size_t(y * SHEET_WIDTH + x)] = GRID;
        }
    }
    for (int cell = 0; cell < GRID_ROWS * CELLS_PER_ROW; ++cell) {
        paintCell(sheet, cell, FIRST_CODE + cell);
    }
    const std::string_view name =
        colours == GlyphColours::Gold ? "VESKAR normal font" : "VESKAR highlight font";
    paintCaption(sheet, name, 12, gridBottom + 8);
    paintCaption(sheet, "14 x 18 cells on a 16 x 20 grid, codes 32 to 128", 12, gridBottom + 22);
    return sheet;
}
