// The rising phase: rows received from the other players pushed into the well from below, one at a
// time, each made so that it completes no line of three.
#include "game/Player.h"
#include "game/SharedRandom.h"

void Player::startRise() {
    rising = true;
    riseOffset = RISE_TICKS;
    rowsPending -= 1;
    for (std::uint32_t x = 0; x < width; ++x) {
        if (cellAt(x, 0) != EMPTY_CELL) {
            gameOver = true;  // a jewel is pushed out of the well; the push still happens
            break;
        }
    }
    // Every row moves up one; the top row is lost, the bottom row is overwritten below.
    for (std::uint32_t i = 0; i + width < cellCount; ++i) {
        cells[i] = cells[i + width];
    }
    // Left to right, so each new cell is tested against the new cells to its left.
    for (std::uint32_t x = 0; x < width; ++x) {
        const std::uint8_t jewel = drawRisingJewel(x);
        cells[(height - 1) * width + x] = jewel;
    }
}

std::uint8_t Player::drawRisingJewel(std::uint32_t column) {
    const std::uint32_t bottom = height - 1;
    for (;;) {
        const auto jewel = static_cast<std::uint8_t>(nextRandom() % COLOUR_COUNT + FIRST_JEWEL);
        // Whether cell (column + dx, bottom - up) exists and holds exactly this jewel.
        const auto holds = [&](int dx, std::uint32_t up) {
            const auto x = static_cast<std::int64_t>(column) + dx;
            return x >= 0 && x < static_cast<std::int64_t>(width) && up <= bottom &&
                   cellAt(static_cast<std::uint32_t>(x), bottom - up) == jewel;
        };
        const bool vertical = holds(0, 1) && holds(0, 2);
        const bool risingRight = holds(1, 1) && holds(2, 2);
        const bool horizontal = holds(-1, 0) && holds(-2, 0);
        const bool risingLeft = holds(-1, 1) && holds(-2, 2);
        // At most four colours are excluded, so a fitting one always comes.
        if (!vertical && !risingRight && !horizontal && !risingLeft) {
            return jewel;
        }
    }
}

void Player::riseTick() {
    riseOffset -= 1;
    if (riseOffset != 0) {
        return;
    }
    if (rowsPending != 0) {
        startRise();
        return;
    }
    scanMatches();  // the landed column is matched only after the last row
    rising = false;
    riseOffset = 0;
}
