// A player's picture: the well by state (play, level display, game over), the next column, and the
// panel. Everything in the play state is cut to the well, so a new column slides in from the top
// and a pushed-in row rises from below the floor.
#include "game/Player.h"
#include "shell/GlobalResources.h"
#include "shell/Settings.h"

namespace {

inline constexpr int CELL = static_cast<int>(CELL_SIZE);
inline constexpr int TEXT_ROW = 215;                   // the well's texts, below its top edge
inline constexpr std::uint32_t LEVEL_FRAME_TICKS = 8;  // ticks per vanishing frame of the level display
inline constexpr std::uint32_t VANISH_FRAMES = 6;
inline constexpr std::uint32_t LAST_NAMED_LEVEL = 8;  // from here on the display says "FREE RUN"

struct Clip {
    int left, top, right, bottom;
};

// The colour index of a jewel code, marked or not; JEWEL_COLORS for a code that is no jewel.
int colourOf(std::uint8_t code) {
    const int index = (code - FIRST_JEWEL) & 0x7F;
    return index < JEWEL_COLORS ? index : JEWEL_COLORS;
}

bool holdsJewel(std::uint8_t code) {
    return (code & ~MARK_BIT) != EMPTY_CELL;
}

int pixels(std::uint32_t cells) {
    return CELL * static_cast<int>(cells);
}

// One whole 32 x 32 piece of a surface, uncut.
void drawWhole(HDC dst, const Surface& surface, int x, int y, int sourceX) {
    BitBlt(dst, x, y, CELL, CELL, surface.memoryDC, sourceX, 0, SRCCOPY);
}

void drawSprite(HDC dst, int colour, int x, int y, const Clip& clip) {
    if (colour < JEWEL_COLORS) {
        jewelSprites[colour].drawClipped(dst, x, y, clip.left, clip.top, clip.right, clip.bottom, 0, 0);
    }
}

void drawPlay(const Player& player, HDC dst) {
    const Clip well{player.wellX, player.wellY, player.wellX + pixels(player.width),
                    player.wellY + pixels(player.height)};
    const int rise = static_cast<int>(player.riseOffset);
    for (std::uint32_t y = 0; y < player.height; ++y) {
        for (std::uint32_t x = 0; x < player.width; ++x) {
            const std::uint8_t code = player.cellAt(x, y);
            const int colour = colourOf(code);
            if (!holdsJewel(code) || colour == JEWEL_COLORS) {
                continue;
            }
            const int left = player.wellX + pixels(x);
            const int top = player.wellY + pixels(y) + rise;
            const bool marked = (code & MARK_BIT) != 0;
            if (marked && player.clearing && player.clearFrame < VANISH_FRAMES) {
                jewelAnimations[colour].drawPartClipped(dst, left, top, CELL, CELL, well.left, well.top,
                                                        well.right, well.bottom, pixels(player.clearFrame),
                                                        0);
            } else if (marked && player.collapsing) {
                drawSprite(dst, colour, left, top + static_cast<int>(player.collapseOffset), well);
            } else {
                drawSprite(dst, colour, left, top, well);
            }
        }
    }
    // The falling column; above the well's top edge it is cut away, and while it waits (bottom 0)
    // it is hidden entirely.
    for (unsigned i = 0; i < 3; ++i) {
        const int top = player.wellY + static_cast<int>(player.columnBottom) - CELL - pixels(i) + rise;
        drawSprite(dst, colourOf(tripleJewel(player.current, i)), player.wellX + pixels(player.columnX), top,
                   well);
    }
    for (unsigned i = 0; i < 3; ++i) {
        const int colour = colourOf(tripleJewel(player.next, i));
        if (colour < JEWEL_COLORS) {
            drawWhole(dst, jewelSprites[colour], player.nextX + 15, player.nextY + 94 - pixels(i), 0);
        }
    }
}

void drawLevelShow(const Player& player, HDC dst) {
    const std::uint32_t frame = player.levelShowTicks / LEVEL_FRAME_TICKS;
    if (frame < VANISH_FRAMES) {
        // Every jewel vanishes at once, in place and uncut.
        for (std::uint32_t y = 0; y < player.height; ++y) {
            for (std::uint32_t x = 0; x < player.width; ++x) {
                const std::uint8_t code = player.cellAt(x, y);
                const int colour = colourOf(code);
                if (holdsJewel(code) && colour < JEWEL_COLORS) {
                    drawWhole(dst, jewelAnimations[colour], player.wellX + pixels(x),
                              player.wellY + pixels(y), pixels(frame));
                }
            }
        }
    } else if (player.level < LAST_NAMED_LEVEL) {
        normalFont.drawText(dst, "LEVEL", player.wellX + 20, player.wellY + TEXT_ROW);
        normalFont.drawNumber(dst, static_cast<std::int32_t>(player.level + 1), player.wellX + 120,
                              player.wellY + TEXT_ROW);
    } else {
        normalFont.drawText(dst, "FREE RUN", player.wellX + 20, player.wellY + TEXT_ROW);
    }
}

void drawPanel(const Player& player, HDC dst) {
    const int x = player.panelX + 7;
    normalFont.drawText(dst, player.name.data(), x, player.panelY + 15);
    const std::int64_t score = player.score;  // unsigned, as the high-score table compares it
    if (!player.fullPanel) {
        highlightFont.drawNumber(dst, score, x, player.panelY + 50);
        return;
    }
    normalFont.drawText(dst, "Level:", x, player.panelY + 50);
    highlightFont.drawNumber(dst, static_cast<std::int32_t>(player.level + 1), player.panelX + 107,
                             player.panelY + 50);
    highlightFont.drawNumber(dst, score, x, player.panelY + 80);
    normalFont.drawText(dst, "High:", x, player.panelY + 140);
    // The table changes only when a game ends, so its first entry is the best before this game.
    highlightFont.drawNumber(dst, settings.record.highScores[0], player.panelX + 107, player.panelY + 140);
}

}  // namespace

void Player::render(HDC backBuffer) const {
    if (gameOver) {
        normalFont.drawText(backBuffer, "GAME", wellX + 20, wellY + TEXT_ROW);
        normalFont.drawText(backBuffer, "OVER", wellX + 80, wellY + TEXT_ROW);
    } else if (levelShow) {
        drawLevelShow(*this, backBuffer);
    } else {
        drawPlay(*this, backBuffer);
    }
    normalFont.drawText(backBuffer, "Next", nextX + 8, nextY + 142);
    drawPanel(*this, backBuffer);
}
