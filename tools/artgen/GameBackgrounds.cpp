// The one- and two-player game backgrounds: boxes where the game draws, ornaments elsewhere.
#include "tools/artgen/ArtLayout.h"
#include "tools/artgen/Backgrounds.h"
#include "tools/artgen/FramePainter.h"
#include "tools/artgen/JewelPainter.h"
#include "tools/artgen/TitlePainter.h"

namespace {

void paintCentredTitle(Canvas& canvas, std::string_view text, int centreX, int top, int pixelSize) {
    paintTitle(canvas, text, centreX - titleWidth(text, pixelSize) / 2, top, pixelSize);
}

}  // namespace

Canvas paintOnePlayerBackground() {
    Canvas canvas(SCREEN_WIDTH, ONE_PLAYER_HEIGHT, Rgb{});
    paintBackdrop(canvas);
    paintBoxes(canvas, Backdrop::OnePlayer);
    const int panelMiddle = (ONE_PANEL.left + ONE_PANEL.right) / 2;
    paintCentredTitle(canvas, "VESKAR", panelMiddle, 300, 6);
    for (int i = 0; i < JEWEL_COLOURS; ++i) {
        placeJewel(canvas, i, JEWEL_SIZE, panelMiddle - 118 + i * 40, 388);
    }
    // A short column resting under the next box, as if it had just landed.
    for (int i = 0; i < 3; ++i) {
        placeJewel(canvas, 2 + i, JEWEL_SIZE, 70, 300 + 34 * i);
    }
    return canvas;
}

Canvas paintTwoPlayerBackground() {
    Canvas canvas(SCREEN_WIDTH, TWO_PLAYER_HEIGHT, Rgb{});
    paintBackdrop(canvas);
    paintBoxes(canvas, Backdrop::TwoPlayer);
    const int middle = (TWO_PANEL_LEFT.left + TWO_PANEL_LEFT.right) / 2;
    paintCentredTitle(canvas, "VESKAR", middle, 28, 3);
    paintCentredTitle(canvas, "PLAYER 1", middle, TWO_PANEL_LEFT.top - 27, 2);
    paintCentredTitle(canvas, "PLAYER 2", middle, TWO_PANEL_RIGHT.top - 27, 2);
    for (int i = 0; i < 3; ++i) {
        placeJewel(canvas, i, JEWEL_SIZE, middle - 52 + i * 36, 196);
        placeJewel(canvas, 3 + i, JEWEL_SIZE, middle - 52 + i * 36, 374);
    }
    return canvas;
}
