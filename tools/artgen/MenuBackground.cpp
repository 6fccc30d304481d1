// The menu background, shared by every menu, the high-score table and the about screen.
#include "tools/artgen/ArtLayout.h"
#include "tools/artgen/Backgrounds.h"
#include "tools/artgen/FramePainter.h"
#include "tools/artgen/JewelPainter.h"
#include "tools/artgen/TitlePainter.h"

Canvas paintMenuBackground()
{
    Canvas canvas(SCREEN_WIDTH, MENU_HEIGHT, Rgb{});
    paintBackdrop(canvas);
    paintBox(canvas, MENU_LIST);
    paintBox(canvas, MENU_DESCRIPTION);
    constexpr int TITLE_PIXEL = 8;
    const int titleLeft = (SCREEN_WIDTH - titleWidth("VESKAR", TITLE_PIXEL)) / 2;
    paintTitle(canvas, "VESKAR", titleLeft, 390, TITLE_PIXEL);
    // A falling column of three jewels on either side of the name.
    for (int i = 0; i < 3; ++i) {
        canvas.paste(paintJewel(i), 40, 40 + 36 * i);
        canvas.paste(paintJewel(3 + i), 40, 300 + 36 * i);
    }
    return canvas;
}
