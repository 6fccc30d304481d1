// The shared pseudo-random generator's state and steps.
#include "game/SharedRandom.h"

namespace {
std::uint32_t randomState = 1;
}

void seedRandom(std::uint32_t seed) {
    randomState = seed;
}

std::uint32_t nextRandom() {
    randomState = randomState * 214013u + 2531011u;  // wraps modulo 2^32 by unsigned arithmetic
    return (randomState >> 16) & 0x7FFF;
}
