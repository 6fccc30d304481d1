// Test helpers for writing and reading wells as text.
#include "tests/game/WellText.h"

#include <cstring>

#include <gtest/gtest.h>

namespace {
std::uint8_t cellFromChar(char c) {
    if (c >= '1' && c <= '6') {
        return static_cast<std::uint8_t>(c);
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<std::uint8_t>((c - 'a' + '1') | MARK_BIT);
    }
    return EMPTY_CELL;
}

char charFromCell(std::uint8_t cell) {
    if (cell == EMPTY_CELL) {
        return '.';
    }
    const int colour = (cell & ~MARK_BIT) - '1';
    return static_cast<char>(((cell & MARK_BIT) != 0 ? 'a' : '1') + colour);
}
}  // namespace

void setWell(Player& player, std::initializer_list<const char*> rows) {
    player.clearWell();
    std::uint32_t row = player.height - static_cast<std::uint32_t>(rows.size());
    for (const char* text : rows) {
        EXPECT_EQ(std::strlen(text), player.width) << "well row " << row;
        for (std::uint32_t x = 0; x < player.width && text[x] != '\0'; ++x) {
            player.cells[row * player.width + x] = cellFromChar(text[x]);
        }
        ++row;
    }
}

std::string rowText(const Player& player, std::uint32_t row) {
    std::string text;
    for (std::uint32_t x = 0; x < player.width; ++x) {
        text += charFromCell(player.cellAt(x, row));
    }
    return text;
}

std::string wellText(const Player& player) {
    std::string text;
    for (std::uint32_t row = 0; row < player.height; ++row) {
        text += (row == 0 ? "" : "/") + rowText(player, row);
    }
    return text;
}

Player& joinedPlayer(GameSession& session, GameKind kind) {
    EXPECT_TRUE(session.joinPlayers(kind, {}));
    return *session.players[0];
}

void placeColumnAboveStack(Player& player) {
    std::uint32_t top = player.height;  // first occupied row, or the floor
    for (std::uint32_t row = 0; row < player.height; ++row) {
        if (player.cellAt(player.columnX, row) != EMPTY_CELL) {
            top = row;
            break;
        }
    }
    player.columnBottom = top * CELL_SIZE;
    player.fallAccumulator = player.fallPeriod;  // one more tick of credit makes one step
}
