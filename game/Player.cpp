// A player's falling column, keys and frame tick, and the making and emptying of its well.
#include "game/Player.h"

#include <algorithm>
#include <cstring>

#include "game/GameSession.h"

namespace {
// Rows reached by a lower edge this many pixels below the well's top: rounded up.
std::uint32_t rowsReached(std::uint32_t pixels) {
    return (pixels + CELL_SIZE - 1) / CELL_SIZE;
}
}  // namespace

Player::Player(GameSession& owner, std::uint32_t newWidth, std::uint32_t newHeight, bool progression,
               std::uint32_t maxRows)
    : screen(owner), levelProgression(progression), maxRowsToSend(maxRows) {
    resetWell(newWidth, newHeight);
}

void Player::resetWell(std::uint32_t newWidth, std::uint32_t newHeight) {
    width = newWidth != 0 ? newWidth : WELL_WIDTH;
    height = newHeight != 0 ? newHeight : WELL_HEIGHT;
    cellCount = width * height;
    cells.assign(cellCount, EMPTY_CELL);
    spawnColumn();
    spawnColumn();
    fallAccumulator = 0;
}

void Player::clearWell() {
    std::fill(cells.begin(), cells.end(), EMPTY_CELL);
}

void Player::setName(const char* text) {
    std::size_t length = 0;
    while (length < PLAYER_NAME_SIZE - 1 && text[length] != '\0') {
        ++length;
    }
    std::memcpy(name.data(), text, length);
    name[length] = '\0';
}

void Player::spawnColumn() {
    columnBottom = 0;
    std::uint32_t bytes[3];
    for (std::uint32_t& byte : bytes) {
        byte = static_cast<std::uint32_t>(screen.poolValue(randomCursor)) & 0xFF;
        randomCursor = (randomCursor + 1) % RANDOM_POOL_SIZE;
    }
    current = next;
    next = makeTriple(bytes[0] + bytes[1] * 256 + bytes[2] * 65536);
    columnX = width / 2;
    // The fall credit is kept: what is left over from the last column carries over.
}

bool Player::canMoveTo(std::uint32_t x) const {
    const std::uint32_t rows = rowsReached(columnBottom);
    // Rows r-1, r-2, r-3 that lie inside the well; a column still above the well fits anywhere.
    for (std::uint32_t below = 1; below <= 3 && below <= rows; ++below) {
        const std::uint32_t row = rows - below;
        if (row >= height || cellAt(x, row) != EMPTY_CELL) {
            return false;
        }
    }
    return true;
}

bool Player::hasLanded() const {
    const std::uint32_t rows = rowsReached(columnBottom);
    if (rows > height) {
        return true;  // passed the floor
    }
    // The row holding the column's lowest pixel line.
    return rows != 0 && cellAt(columnX, rows - 1) != EMPTY_CELL;
}

void Player::lockColumn() {
    const std::uint32_t bottomRow = std::min(columnBottom / CELL_SIZE, height);  // snaps upward
    std::uint32_t written = 0;
    for (std::uint32_t position = 0; position < 3 && position < bottomRow; ++position) {
        cells[(bottomRow - 1 - position) * width + columnX] = tripleJewel(current, position);
        ++written;
    }
    if (written < 3) {
        gameOver = true;  // the column did not fit into the well; what fitted stays
    }
    if (rowsPending != 0) {
        startRise();
    } else {
        scanMatches();
    }
}

bool Player::applyQueuedMoves() {
    bool changed = false;
    for (std::uint32_t i = 0; i < pressCount[Action::Left]; ++i) {
        if (columnX > 0 && canMoveTo(columnX - 1)) {
            columnX -= 1;
            changed = true;
        }
    }
    pressCount[Action::Left] = 0;
    for (std::uint32_t i = 0; i < pressCount[Action::Right]; ++i) {
        if (columnX + 1 < width && canMoveTo(columnX + 1)) {
            columnX += 1;
            changed = true;
        }
    }
    pressCount[Action::Right] = 0;
    for (std::uint32_t i = 0; i < pressCount[Action::Rotate]; ++i) {
        current = rotateTriple(current);
        changed = true;
    }
    pressCount[Action::Rotate] = 0;
    return changed;
}

bool Player::tick() {
    if (gameOver) {
        return false;
    }
    if (levelShow) {
        levelShowTick();  // key presses keep accumulating meanwhile
        return true;
    }
    const bool moved = applyQueuedMoves();

    // The phases act on the well while the next column waits above it.
    if (clearing) {
        clearingTick();
        return true;
    }
    if (collapsing) {
        collapseTick();
        return true;
    }
    if (rising) {
        riseTick();
        return true;
    }
    const bool fell = fall();
    return moved || fell;
}

bool Player::fall() {
    std::uint32_t credit = 1;
    if (pressCount[Action::Fast] != 0) {
        credit = 2 * fallPeriod;
        if (releaseCount[Action::Fast] != 0) {
            // Released since the press: this is the last fast tick.
            pressCount[Action::Fast] = 0;
            releaseCount[Action::Fast] = 0;
        } else {
            pressCount[Action::Fast] = 1;
        }
    }
    fallAccumulator += credit;
    bool stepped = false;
    while (fallAccumulator > fallPeriod) {
        fallAccumulator -= fallPeriod;
        columnBottom += fallStep;
        stepped = true;
        if (hasLanded()) {
            screen.playSound(GameSound::Land);
            lockColumn();
            spawnColumn();
            break;  // at most one landing per tick; the credit left carries over
        }
    }
    return stepped;
}
