// The glyph sheets, cell by cell: 14 x 18 cells on a 16 x 20 grid from (2, 2), 40 to a row, the
// printable characters in code order, the two scroll triangles, and empty cells after them.
#include "tests/resources/ArtworkColours.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

constexpr int CELL_W = 14;
constexpr int CELL_H = 18;
constexpr int PITCH_X = 16;
constexpr int PITCH_Y = 20;
constexpr int GAP = 2;
constexpr int PER_ROW = 40;
constexpr int GRID_CELLS = 160;  // codes 32 to 191; the cells for 192 and up lie over the caption

const char* const SHEETS[] = {"font_normal.bmp", "font_highlight.bmp"};

int cellLeft(int cell) {
    return GAP + (cell % PER_ROW) * PITCH_X;
}
int cellTop(int cell) {
    return GAP + (cell / PER_ROW) * PITCH_Y;
}

// Pixels of the cell that are not the text background, as a 14 x 18 picture of flags.
std::vector<bool> inkOf(const BmpFile& sheet, int cell) {
    std::vector<bool> ink;
    for (int y = 0; y < CELL_H; ++y) {
        for (int x = 0; x < CELL_W; ++x) {
            ink.push_back(!(sheet.at(cellLeft(cell) + x, cellTop(cell) + y) == TEXT_BLUE));
        }
    }
    return ink;
}

int inkInRow(const std::vector<bool>& ink, int y) {
    int count = 0;
    for (int x = 0; x < CELL_W; ++x) {
        count += ink[std::size_t(y * CELL_W + x)] ? 1 : 0;
    }
    return count;
}

TEST(GlyphSheet, GapsAroundEveryCellAreGridLines) {
    for (const char* name : SHEETS) {
        const BmpFile sheet = loadBitmap(name);
        const Colour grid = sheet.at(0, 0);
        ASSERT_FALSE(grid == TEXT_BLUE) << name;
        for (int cell = 0; cell < GRID_CELLS; ++cell) {
            const int left = cellLeft(cell);
            const int top = cellTop(cell);
            for (int d = 1; d <= GAP; ++d) {
                for (int y = top - GAP; y < top + CELL_H + GAP; ++y) {
                    ASSERT_EQ(sheet.at(left - d, y), grid) << name << " cell " << cell << " left gap";
                }
                for (int x = left - GAP; x < left + CELL_W; ++x) {
                    ASSERT_EQ(sheet.at(x, top - d), grid) << name << " cell " << cell << " top gap";
                    ASSERT_EQ(sheet.at(x, top + CELL_H - 1 + d), grid)
                        << name << " cell " << cell << " bottom gap";
                }
            }
        }
    }
}

TEST(GlyphSheet, EveryCellHasATextBackgroundLeftColumn) {
    for (const char* name : SHEETS) {
        const BmpFile sheet = loadBitmap(name);
        for (int cell = 0; cell < GRID_CELLS; ++cell) {
            for (int y = 0; y < CELL_H; ++y) {
                ASSERT_EQ(sheet.at(cellLeft(cell), cellTop(cell) + y), TEXT_BLUE) << name << " cell " << cell;
            }
        }
    }
}

TEST(GlyphSheet, GlyphCellsAreMostlyTextBackground) {
    for (const char* name : SHEETS) {
        const BmpFile sheet = loadBitmap(name);
        for (int cell = 0; cell < GRID_CELLS; ++cell) {
            int ink = 0;
            for (bool b : inkOf(sheet, cell)) {
                ink += b ? 1 : 0;
            }
            EXPECT_LT(ink * 2, CELL_W * CELL_H) << name << " cell " << cell;
        }
    }
}

TEST(GlyphSheet, SpaceAndCellsAfterTheTrianglesAreEmpty) {
    for (const char* name : SHEETS) {
        const BmpFile sheet = loadBitmap(name);
        for (int cell : {0}) {
            for (bool ink : inkOf(sheet, cell)) {
                ASSERT_FALSE(ink) << name << " space";
            }
        }
        for (int cell = 97; cell < GRID_CELLS; ++cell) {
            for (bool ink : inkOf(sheet, cell)) {
                ASSERT_FALSE(ink) << name << " cell " << cell;
            }
        }
    }
}

TEST(GlyphSheet, PrintableCharactersAreDistinctGlyphs) {
    for (const char* name : SHEETS) {
        const BmpFile sheet = loadBitmap(name);
        std::set<std::vector<bool>> seen;
        for (int cell = 1; cell <= 94; ++cell) {
            const std::vector<bool> ink = inkOf(sheet, cell);
            int count = 0;
            for (bool b : ink) {
                count += b ? 1 : 0;
            }
            EXPECT_GE(count, 6) << name << " code " << cell + 32;
            EXPECT_TRUE(seen.insert(ink).second) << name << " code " << cell + 32 << " repeats another glyph";
        }
    }
}

// Sign shapes that only fit their own codes: the order on the sheet is code order.
TEST(GlyphSheet, GlyphsStandInCodeOrder) {
    const BmpFile sheet = loadBitmap("font_normal.bmp");
    const auto rowsWithInk = [&](char c) {
        std::vector<int> rows;
        const std::vector<bool> ink = inkOf(sheet, c - 32);
        for (int y = 0; y < CELL_H; ++y) {
            if (inkInRow(ink, y) > 0) {
                rows.push_back(y);
            }
        }
        return rows;
    };
    EXPECT_GE(rowsWithInk('_').front(), 13);  // low line: ink only at the foot
    EXPECT_LE(rowsWithInk('\'').back(), 7);   // apostrophe: ink only at the top
    EXPECT_GE(rowsWithInk('.').front(), 9);   // full stop: ink only at the baseline
    const std::vector<int> minus = rowsWithInk('-');
    EXPECT_GE(minus.front(), 5);
    EXPECT_LE(minus.back(), 9);
    EXPECT_GT(rowsWithInk('g').back(), rowsWithInk('a').back());    // descender
    EXPECT_LT(rowsWithInk('b').front(), rowsWithInk('a').front());  // ascender
    const std::vector<int> bar = rowsWithInk('|');
    EXPECT_GE(bar.size(), 14U);
}

TEST(GlyphSheet, TrianglesPointUpAndDown) {
    for (const char* name : SHEETS) {
        const BmpFile sheet = loadBitmap(name);
        const std::vector<bool> up = inkOf(sheet, 95);
        const std::vector<bool> down = inkOf(sheet, 96);
        int upTop = 0, upBottom = 0, downTop = 0, downBottom = 0;
        for (int y = 0; y < CELL_H; ++y) {
            (y < CELL_H / 2 ? upTop : upBottom) += inkInRow(up, y);
            (y < CELL_H / 2 ? downTop : downBottom) += inkInRow(down, y);
        }
        EXPECT_GT(upBottom, upTop + 20) << name;
        EXPECT_GT(downTop, downBottom + 20) << name;
        for (int y = 4; y < 14; ++y) {  // widening towards the base, row by row
            EXPECT_LE(inkInRow(up, y), inkInRow(up, y + 1)) << name << " row " << y;
            EXPECT_GE(inkInRow(down, y), inkInRow(down, y + 1)) << name << " row " << y;
        }
    }
}

Colour brightestInk(const BmpFile& sheet) {
    Colour best = TEXT_BLUE;
    for (int cell = 1; cell <= 94; ++cell) {
        for (int y = 0; y < CELL_H; ++y) {
            for (int x = 0; x < CELL_W; ++x) {
                const Colour c = sheet.at(cellLeft(cell) + x, cellTop(cell) + y);
                if (c.r + c.g + c.b > best.r + best.g + best.b) {
                    best = c;
                }
            }
        }
    }
    return best;
}

TEST(GlyphSheet, NormalInkIsGoldAndHighlightInkIsLightBlue) {
    const BmpFile normal = loadBitmap("font_normal.bmp");
    const BmpFile highlight = loadBitmap("font_highlight.bmp");
    // The middle of the 'H' crossbar is solid ink in both sheets.
    const Colour gold = normal.at(cellLeft('H' - 32) + 6, cellTop('H' - 32) + 7);
    const Colour blue = highlight.at(cellLeft('H' - 32) + 6, cellTop('H' - 32) + 7);
    EXPECT_GT(gold.r, 180);
    EXPECT_GT(gold.r, gold.b + 100);
    EXPECT_GT(blue.b, 180);
    EXPECT_GT(blue.b, blue.r + 60);
    EXPECT_GT(brightestInk(normal).r + brightestInk(normal).g, 400);
    EXPECT_GT(brightestInk(highlight).g + brightestInk(highlight).b, 400);
}

TEST(GlyphSheet, BothSheetsHaveTheSameGlyphShapes) {
    const BmpFile normal = loadBitmap("font_normal.bmp");
    const BmpFile highlight = loadBitmap("font_highlight.bmp");
    for (int cell = 0; cell < GRID_CELLS; ++cell) {
        EXPECT_EQ(inkOf(normal, cell), inkOf(highlight, cell)) << "cell " << cell;
    }
}

}  // namespace
