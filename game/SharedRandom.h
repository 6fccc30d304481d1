// The program's one pseudo-random generator: a 32-bit linear congruential state shared by the start-up,
// every game's random pool and the rows pushed into wells. Used on the window's thread only.
#pragma once

#include <cstdint>

// Sets the state to the seed; seed 1 makes the next draws 41, 18467, 6334, 26500, 19169.
void seedRandom(std::uint32_t seed);

// Advances the state (state * 214013 + 2531011, modulo 2^32) and returns bits 16..30: 0 to 32767.
[[nodiscard]] std::uint32_t nextRandom();
