// The backgrounds carry their boxes where the screens draw: every jewel cell and every text the
// game, the menus, the high-score table and the about screen put on them lands on the text
// background, and a frame surrounds each box.
#include "tests/resources/ArtworkColours.h"

#include <gtest/gtest.h>

namespace {

struct Area {
    const char* what;
    int left, top, right, bottom;  // right and bottom exclusive
};

constexpr int CELL_W = 14;
constexpr int CELL_H = 18;

// A text of the given number of cells drawn with its top-left corner at (x, y).
Area text(const char* what, int x, int y, int cells) {
    return {what, x, y, x + cells * CELL_W, y + CELL_H};
}

void expectAllTextBlue(const BmpFile& bmp, const Area& a) {
    int wrong = 0;
    for (int y = a.top; y < a.bottom; ++y) {
        for (int x = a.left; x < a.right; ++x) {
            wrong += bmp.at(x, y) == TEXT_BLUE ? 0 : 1;
        }
    }
    EXPECT_EQ(wrong, 0) << a.what << " at (" << a.left << ", " << a.top << ")";
}

// The three pixel rings just outside a box are frame: none of them is the text background.
void expectFramed(const BmpFile& bmp, const Area& box) {
    int framePixels = 0;
    for (int ring = 1; ring <= 3; ++ring) {
        for (int y = box.top - ring; y < box.bottom + ring; ++y) {
            for (int x = box.left - ring; x < box.right + ring; ++x) {
                const bool onRing = x == box.left - ring || x == box.right + ring - 1 ||
                                    y == box.top - ring || y == box.bottom + ring - 1;
                if (onRing && x >= 0 && y >= 0 && x < bmp.width && y < bmp.height) {
                    EXPECT_FALSE(bmp.at(x, y) == TEXT_BLUE)
                        << box.what << " ring " << ring << " at " << x << "," << y;
                    ++framePixels;
                }
            }
        }
    }
    EXPECT_GT(framePixels, 0) << box.what;
}

TEST(MenuBackground, MenuRowsScrollMarksAndDescriptionLinesLieOnTextBoxes) {
    const BmpFile bmp = loadBitmap("menu_background.bmp");
    for (int row = 0; row < 6; ++row) {
        expectAllTextBlue(bmp, text("main and options row", 205, 35 + 40 * row, 16));  // "> 2 Players Game"
    }
    for (int row = 0; row < 5; ++row) {
        expectAllTextBlue(bmp,
                          text("key menu row", 185, 55 + 40 * row, 28));  // "> Rotate: Right mouse button"
    }
    expectAllTextBlue(bmp, text("up scroll mark", 130, 215, 1));
    expectAllTextBlue(bmp, text("down scroll mark", 130, 235, 1));
    for (int line = 0; line < 2; ++line) {
        expectAllTextBlue(bmp, text("main description", 157, 300 + 30 * line, 22));
        expectAllTextBlue(bmp, text("options description", 167, 300 + 30 * line, 22));
    }
}

TEST(MenuBackground, HighScoreRowsAndAboutLinesLieOnTheListBox) {
    const BmpFile bmp = loadBitmap("menu_background.bmp");
    for (int k = 0; k < 10; ++k) {
        expectAllTextBlue(bmp, text("high-score name", 210, 40 + 20 * k, 13));
        expectAllTextBlue(bmp, text("high-score score", 390, 40 + 20 * k, 11));  // down to -2147483648
    }
    expectAllTextBlue(bmp, text("about title", 260, 50, 6));
    expectAllTextBlue(bmp, text("credit 1", 265, 90, 5));
    expectAllTextBlue(bmp, text("credit 2", 285, 120, 2));
    expectAllTextBlue(bmp, text("credit 3", 270, 150, 4));
    expectAllTextBlue(bmp, text("ampersand", 295, 180, 1));
    expectAllTextBlue(bmp, text("credit 4", 265, 210, 5));
}

TEST(MenuBackground, ListAndDescriptionBoxesAreFramed) {
    const BmpFile bmp = loadBitmap("menu_background.bmp");
    expectFramed(bmp, {"list box", 120, 28, 592, 262});
    expectAllTextBlue(bmp, {"list box", 120, 28, 592, 262});
    expectFramed(bmp, {"description box", 150, 280, 480, 380});
    expectAllTextBlue(bmp, {"description box", 150, 280, 480, 380});
}

// Everything a player draws around its layout (well, next box and panel positions).
void expectPlayerFits(const BmpFile& bmp, int wellX, int wellY, int nextX, int nextY, int panelX, int panelY,
                      bool fullPanel, int panelCells) {
    expectAllTextBlue(bmp, {"well", wellX, wellY, wellX + 160, wellY + 416});
    expectAllTextBlue(bmp, {"next jewels", nextX + 15, nextY + 30, nextX + 47, nextY + 126});
    expectAllTextBlue(bmp, text("Next", nextX + 8, nextY + 142, 4));
    expectAllTextBlue(bmp, text("name", panelX + 7, panelY + 15, fullPanel ? 13 : panelCells));
    if (fullPanel) {
        expectAllTextBlue(bmp, text("Level:", panelX + 7, panelY + 50, 6));
        expectAllTextBlue(bmp, text("level", panelX + 107, panelY + 50, 1));
        expectAllTextBlue(bmp, text("score", panelX + 7, panelY + 80, 10));
        expectAllTextBlue(bmp, text("High:", panelX + 7, panelY + 140, 5));
        expectAllTextBlue(bmp, text("best score", panelX + 107, panelY + 140, 10));
    } else {
        expectAllTextBlue(bmp, text("score", panelX + 7, panelY + 50, panelCells));
    }
    expectFramed(bmp, {"well", wellX, wellY, wellX + 160, wellY + 416});
}

TEST(OnePlayerBackground, WellNextBoxAndPanelLieWhereThePlayerDraws) {
    const BmpFile bmp = loadBitmap("one_player_background.bmp");
    expectPlayerFits(bmp, 140, 15, 50, 50, 319, 90, true, 0);
    // Texts in the well: "GAME" "OVER", "LEVEL" and its number, "FREE RUN".
    expectAllTextBlue(bmp, text("FREE RUN", 160, 230, 8));
    expectAllTextBlue(bmp, text("OVER", 220, 230, 4));
    expectAllTextBlue(bmp, text("level number", 260, 230, 1));
}

TEST(OnePlayerBackground, BoxesAreFramed) {
    const BmpFile bmp = loadBitmap("one_player_background.bmp");
    expectFramed(bmp, {"next box", 52, 72, 120, 216});
    expectFramed(bmp, {"panel", 319, 95, 579, 258});
    expectAllTextBlue(bmp, {"next box", 52, 72, 120, 216});
    expectAllTextBlue(bmp, {"panel", 319, 95, 579, 258});
}

TEST(TwoPlayerBackground, BothPlayersFitTheirBoxes) {
    const BmpFile bmp = loadBitmap("two_player_background.bmp");
    expectPlayerFits(bmp, 83, 16, 4, 46, 251, 92, false, 9);
    expectPlayerFits(bmp, 399, 16, 567, 46, 261, 262, false, 8);
}

TEST(TwoPlayerBackground, BoxesAreFramed) {
    const BmpFile bmp = loadBitmap("two_player_background.bmp");
    for (const Area& box :
         {Area{"left next box", 6, 68, 74, 212}, Area{"right next box", 569, 68, 637, 212},
          Area{"upper panel", 252, 97, 392, 170}, Area{"lower panel", 252, 267, 392, 340}}) {
        expectFramed(bmp, box);
        expectAllTextBlue(bmp, box);
    }
}

TEST(Backgrounds, OutsideTheBoxesIsNotTextBackground) {
    // Spots of plain backdrop on each background: a box there would be a box out of place.
    const BmpFile menu = loadBitmap("menu_background.bmp");
    const BmpFile one = loadBitmap("one_player_background.bmp");
    const BmpFile two = loadBitmap("two_player_background.bmp");
    EXPECT_FALSE(menu.at(10, 10) == TEXT_BLUE);
    EXPECT_FALSE(menu.at(610, 270) == TEXT_BLUE);
    EXPECT_FALSE(one.at(10, 10) == TEXT_BLUE);
    EXPECT_FALSE(one.at(450, 40) == TEXT_BLUE);
    EXPECT_FALSE(two.at(320, 5) == TEXT_BLUE);
    EXPECT_FALSE(two.at(40, 300) == TEXT_BLUE);
}

}  // namespace
