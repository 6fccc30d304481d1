// Formatting a player's state for the replay tool's dump lines.
#include "tools/replay/PlayerDump.h"

namespace {
const char* stateWord(const Player& player) {
    if (player.gameOver) {
        return "over";
    }
    if (player.levelShow) {
        return "show";
    }
    if (player.clearing) {
        return "clearing";
    }
    if (player.collapsing) {
        return "collapsing";
    }
    return player.rising ? "rising" : "falling";
}

// A jewel code as its digit '1'..'6'; anything else would be a broken column and shows as '?'.
char jewelDigit(std::uint8_t code) {
    return code >= FIRST_JEWEL && code < FIRST_JEWEL + COLOUR_COUNT ? static_cast<char>(code) : '?';
}

std::string columnText(Triple triple) {
    return {jewelDigit(tripleJewel(triple, 0)), jewelDigit(tripleJewel(triple, 1)),
            jewelDigit(tripleJewel(triple, 2))};
}

char cellText(std::uint8_t cell) {
    if (cell == EMPTY_CELL) {
        return '.';
    }
    const auto colour = static_cast<std::uint8_t>(cell & ~MARK_BIT);
    if (colour < FIRST_JEWEL || colour >= FIRST_JEWEL + COLOUR_COUNT) {
        return '?';
    }
    const int index = colour - FIRST_JEWEL;  // 0..5
    return static_cast<char>((cell & MARK_BIT) != 0 ? 'a' + index : '1' + index);
}

void field(std::string& line, const char* name, std::uint32_t value) {
    line += ' ';
    line += name;
    line += ' ';
    line += std::to_string(value);
}
}  // namespace

std::string dumpPlayer(std::uint32_t number, const Player& player) {
    std::string line = "P " + std::to_string(number);
    field(line, "score", player.score);
    field(line, "level", player.level);
    field(line, "jewels", player.jewelsTowardLevel);
    field(line, "chain", player.chainLength);
    line += " state ";
    line += stateWord(player);
    field(line, "col", player.columnX);
    line += ' ' + std::to_string(player.columnBottom);
    line += " cur " + columnText(player.current);
    line += " next " + columnText(player.next);
    field(line, "pending", player.rowsPending);
    field(line, "send", player.rowsToSend);
    field(line, "frame", player.clearFrame);
    field(line, "collapse", player.collapseOffset);
    field(line, "rise", player.riseOffset);
    field(line, "show", player.levelShowTicks);
    field(line, "fall", player.fallPeriod);
    line += ' ' + std::to_string(player.fallStep) + ' ' + std::to_string(player.fallAccumulator);
    line += " well ";
    for (const std::uint8_t cell : player.cells) {
        line += cellText(cell);
    }
    return line;
}
