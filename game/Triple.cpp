// Making and cycling falling columns.
#include "game/Triple.h"

#include "game/WellConstants.h"

Triple makeTriple(std::uint32_t value) {
    Triple triple = 0;
    for (unsigned position = 0; position < 3; ++position) {
        const std::uint32_t byte = (value >> (8 * position)) & 0x7F;
        triple |= (byte % COLOUR_COUNT + FIRST_JEWEL) << (8 * position);
    }
    return triple;
}

Triple rotateTriple(Triple triple) {
    const Triple bottom = triple & 0xFF;
    return (triple >> 8) | (bottom << 16);
}
