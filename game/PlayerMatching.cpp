// The match scan over the whole well, the clearing phase, the collapse that closes the gaps and the
// end of a cascade.
#include <algorithm>

#include "game/GameSession.h"
#include "game/Player.h"

namespace {
std::uint8_t colourOf(std::uint8_t cell) {
    return static_cast<std::uint8_t>(cell & ~MARK_BIT);
}

// The four scan directions, in scan order: right, down-right, down, down-left.
struct Direction {
    int dx;
    int dy;
};
constexpr Direction SCAN_DIRECTIONS[] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}};
}  // namespace

std::uint32_t Player::runLength(std::uint32_t x, std::uint32_t y, int dx, int dy) const {
    const std::uint8_t colour = colourOf(cellAt(x, y));
    std::uint32_t length = 1;
    for (;;) {
        // Stepping stops at the edge of the well.
        if ((dx > 0 && x + 1 >= width) || (dx < 0 && x == 0) || (dy > 0 && y + 1 >= height)) {
            return length;
        }
        x = static_cast<std::uint32_t>(static_cast<int>(x) + dx);
        y += static_cast<std::uint32_t>(dy);
        if (colourOf(cellAt(x, y)) != colour) {
            return length;  // another colour, or an empty cell
        }
        ++length;
    }
}

void Player::scanMatches() {
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            if (cellAt(x, y) == EMPTY_CELL) {
                continue;
            }
            for (const Direction& direction : SCAN_DIRECTIONS) {
                const std::uint32_t length = runLength(x, y, direction.dx, direction.dy);
                if (length < 3) {
                    continue;
                }
                // Crossing lines share cells; a shared cell is simply marked again.
                for (std::uint32_t k = 0; k < length; ++k) {
                    const std::uint32_t cx =
                        x + static_cast<std::uint32_t>(static_cast<int>(k) * direction.dx);
                    const std::uint32_t cy = y + k * static_cast<std::uint32_t>(direction.dy);
                    cells[cy * width + cx] |= MARK_BIT;
                }
            }
        }
    }
    std::uint32_t marked = 0;
    for (const std::uint8_t cell : cells) {
        marked += (cell & MARK_BIT) != 0 ? 1 : 0;
    }
    if (marked == 0) {
        return;
    }
    chainLength += 1;
    clearing = true;
    collapsing = false;
    applyMatchScore(marked, chainLength);
    clearFrame = 0;
    screen.playSound(GameSound::Match);
}

void Player::clearingTick() {
    clearFrame += 1;
    if (clearFrame < CLEAR_FRAMES) {
        return;  // the marked jewels show vanishing frame clearFrame
    }
    for (std::uint8_t& cell : cells) {
        if ((cell & MARK_BIT) != 0) {
            cell = EMPTY_CELL;
        }
    }
    clearing = false;
    clearFrame = 0;
    if (markFloating()) {
        collapsing = true;
        collapseOffset = 0;
    } else {
        endCascade();
    }
}

bool Player::markFloating() {
    bool floating = false;
    for (std::uint32_t x = 0; x < width; ++x) {
        bool gapBelow = false;
        for (std::uint32_t row = height; row-- > 0;) {
            std::uint8_t& cell = cells[row * width + x];
            if (cell == EMPTY_CELL) {
                gapBelow = true;
            } else if (gapBelow) {
                cell |= MARK_BIT;
                floating = true;
            }
        }
    }
    return floating;
}

void Player::settleFalling() {
    const std::uint32_t rowsFallen = collapseOffset / CELL_SIZE;
    for (std::uint32_t x = 0; x < width; ++x) {
        // Bottom-up, so a jewel that comes to rest can stop the one above it in the same pass.
        for (std::uint32_t row = height; row-- > 0;) {
            const std::uint8_t cell = cells[row * width + x];
            if ((cell & MARK_BIT) == 0) {
                continue;
            }
            // The row just below the one holding the falling jewel's drawn top edge.
            const std::uint32_t below = row + 1 + rowsFallen;
            std::uint32_t restRow;
            if (below >= height) {
                restRow = height - 1;  // the floor
            } else if (cellAt(x, below) != EMPTY_CELL && (cellAt(x, below) & MARK_BIT) == 0) {
                restRow = below - 1;  // on a resting jewel
            } else {
                continue;  // below is empty or falling too: keeps falling
            }
            // Emptied first, so a jewel can never be lost by resting in its own row.
            cells[row * width + x] = EMPTY_CELL;
            cells[restRow * width + x] = colourOf(cell);
        }
    }
}

void Player::collapseTick() {
    collapseOffset += COLLAPSE_SPEED;
    settleFalling();
    if (markFloating()) {
        return;
    }
    collapsing = false;
    collapseOffset = 0;
    scanMatches();
    if (!clearing) {
        endCascade();  // the closed gaps made no new run
    }
}

void Player::endCascade() {
    if (levelProgression && levelUpPending) {
        startLevelShow();
    }
    if (chainLength > 1) {  // a cascade of one scan sends nothing
        rowsToSend = std::min(chainLength - 1, maxRowsToSend);
    }
    chainLength = 0;
}
