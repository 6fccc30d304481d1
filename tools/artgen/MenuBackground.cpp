// The menu background, shared by every menu, the high-score table and the about screen.
#include "tools/artgen/ArtLayout.h"
#include "tools/artgen/Backgrounds.h"
#include "tools/artgen/FramePainter.h"
#include "tools/artgen/JewelPainter.h"
#include "tools/artgen/TitlePainter.h"

Canvas paintMenuBackground() {
    Canvas canvas(SCREEN_WIDTH, MENU_HEIGHT, Rgb{});
    paintBackdrop(canvas);
    paintBoxes(canvas, Backdrop::Menu);
    constexpr int TITLE_PIXEL = 7;
    const int titleLeft = (SCREEN_WIDTH - titleWidth("VESKAR", TITLE_PIXEL)) / 2;
    paintTitle(canvas, "VESKAR", titleLeft, 393, TITLE_PIXEL);
    // A falling column on the left, and a few settled jewels beside the description box.
    for (int i = 0; i < 3; ++i) {
        placeJewel(canvas, i, JEWEL_SIZE, 44, 64 + 34 * i);
    }
    placeJewel(canvas, 3, JEWEL_SIZE, 44, 330);
    placeJewel(canvas, 4, JEWEL_SIZE, 78, 346);
    placeJewel(canvas, 5, JEWEL_SIZE, 520, 330);
    placeJewel(canvas, 0, JEWEL_SIZE, 554, 346);
    placeJewel(canvas, 1, JEWEL_SIZE, 537, 296);
    return canvas;
}
