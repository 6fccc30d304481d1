// The falling column packed into one 32-bit value, and the two operations that make and cycle it.
#pragma once

#include <cstdint>

// Byte 0 is the bottom jewel's code, byte 1 the middle one, byte 2 the top one; byte 3 is 0.
// Codes in a Triple are jewel codes without the mark bit.
using Triple = std::uint32_t;

// The column made from a number: each of the three low bytes b becomes the jewel code
// ((b AND 0x7F) mod 6) + '1'; byte 0 gives the bottom jewel.
[[nodiscard]] Triple makeTriple(std::uint32_t value);

// Every jewel moves one place down and the bottom one goes to the top; three rotations restore it.
[[nodiscard]] Triple rotateTriple(Triple triple);

// The jewel code at position 0 (bottom), 1 (middle) or 2 (top).
[[nodiscard]] constexpr std::uint8_t tripleJewel(Triple triple, unsigned position) {
    return static_cast<std::uint8_t>(triple >> (8 * position));
}
