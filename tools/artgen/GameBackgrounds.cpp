// The one- and two-player game backgrounds: boxes where the game draws, ornaments elsewhere.
#include "tools/artgen/ArtLayout.h"
#include "tools/artgen/Backgrounds.h"
#include "tools/artgen/FramePainter.h"
#include "tools/artgen/JewelPainter.h"
#include "tools/artgen/TitlePainter.h"

Canvas paintOnePlayerBackground()
{
    Canvas canvas(SCREEN_WIDTH, ONE_PLAYER_HEIGHT, Rgb{});
    paintBackdrop(canvas);
    paintBox(canvas, ONE_WELL);
    paintBox(canvas, ONE_NEXT);
    paintBox(canvas, ONE_PANEL);
    constexpr int TITLE_PIXEL = 5;
    const int titleLeft = ONE_PANEL.left + (ONE_PANEL.width() - titleWidth("VESKAR", TITLE_PIXEL)) / 2;
    paintTitle(canvas, "VESKAR", titleLeft, 310, TITLE_PIXEL);
    for (int i = 0; i < JEWEL_COLOURS; ++i) {
        canvas.paste(paintJewel(i), ONE_PANEL.left + 14 + i * 40, 380);
    }
    return canvas;
}

Canvas paintTwoPlayerBackground()
{
    Canvas canvas(SCREEN_WIDTH, TWO_PLAYER_HEIGHT, Rgb{});
    paintBackdrop(canvas);
    for (const Rect& box : {TWO_WELL_LEFT, TWO_WELL_RIGHT, TWO_NEXT_LEFT, TWO_NEXT_RIGHT, TWO_PANEL_LEFT, TWO_PANEL_RIGHT}) {
        paintBox(canvas, box);
    }
    constexpr int TITLE_PIXEL = 3;
    const int middle = (TWO_PANEL_LEFT.left + TWO_PANEL_LEFT.right) / 2;
    paintTitle(canvas, "VESKAR", middle - titleWidth("VESKAR", TITLE_PIXEL) / 2, 200, TITLE_PIXEL);
    for (int i = 0; i < 3; ++i) {
        canvas.paste(paintJewel(i * 2), middle - 52 + i * 36, 380);
    }
    return canvas;
}
