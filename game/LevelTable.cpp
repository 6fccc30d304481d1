// Points of a scan by the group each marked jewel falls into.
#include "game/LevelTable.h"

std::uint32_t pointsForMatch(const LevelRow& row, std::uint32_t markedJewels) {
    std::uint32_t sum = 0;
    for (std::uint32_t k = 1; k <= markedJewels; ++k) {
        const std::uint32_t group = k <= 5 ? 0 : k <= 9 ? 1 : k <= 13 ? 2 : 3;
        sum += row.points[group];
    }
    return sum;
}
