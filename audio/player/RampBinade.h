// A gain ramp in closed form. Single-precision numbers in the binade [2^e, 2^(e+1)) are the
// multiples of its unit u = 2^(e-23): while g + ramp stays inside the binade of g = G u (G from 2^23
// to 2^24 - 1), the rounded sum is (G + M) u, M being ramp / u rounded to the nearest integer,
// whatever G is - unless ramp / u lies exactly halfway between two integers (the tie goes to the
// even multiple, which depends on G). So, away from ties, the gains g, g + ramp, ... are (G + k M) u
// for as long as they stay inside the binade, none waiting for the one before. Negative gains mirror
// positive ones: rounding to nearest is symmetric.
#pragma once

#include <cstdint>
#include <cstring>

struct Binade {
    bool closed;            // the gains follow (G + k M) u
    std::int32_t mantissa;  // G
    std::int32_t move;      // M
    float unit;             // u, negative for negative gains
    bool falling;           // the ramp moves the gain towards zero (M may still round to 0)
};

inline constexpr std::int32_t LOWEST_MANTISSA = 1 << 23;
inline constexpr std::int32_t HIGHEST_MANTISSA = (1 << 24) - 1;
// Below 2^-96 (and at zero) the unit would not be a normal number: such gains are added one by one.
inline constexpr std::uint32_t LOWEST_EXPONENT = 31;
// A ramp of 2^22 units or more is left to the additions.
inline constexpr std::uint32_t FEWEST_SHIFT = 2;
// A ramp shifted this far right is less than half a unit, whatever its mantissa.
inline constexpr std::uint32_t NO_MOVE_SHIFT = 25;

inline float FloatBits(std::uint32_t bits) {
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// ramp / u is the ramp's mantissa (implicit bit included) shifted right by the difference of the
// exponents: M is it rounded to the nearest integer, worked out on the bits, so that a ramp that
// leaves one binade gets the next one's M within a few cycles.
inline Binade BinadeOf(float gain, float ramp) {
    constexpr Binade OPEN{false, 0, 0, 0.0f, false};
    std::uint32_t bits = 0;
    std::uint32_t rampBits = 0;
    std::memcpy(&bits, &gain, sizeof bits);
    std::memcpy(&rampBits, &ramp, sizeof rampBits);
    const std::uint32_t exponent = (bits >> 23) & 0xFF;
    const std::uint32_t rampExponent = (rampBits >> 23) & 0xFF;
    if (exponent < LOWEST_EXPONENT || exponent == 0xFF || rampExponent == 0xFF) {
        return OPEN;
    }
    const bool negative = (bits >> 31) != 0;
    const bool falling = (rampBits & 0x7FFFFFFF) != 0 && ((rampBits >> 31) != 0) != negative;
    std::int32_t move = 0;
    // A zero or subnormal ramp is below 2^-126, far less than half a unit of any binade kept here.
    if (rampExponent != 0) {
        if (rampExponent + FEWEST_SHIFT > exponent) {
            return OPEN;
        }
        const std::uint32_t shift = exponent - rampExponent;
        if (shift < NO_MOVE_SHIFT) {
            const std::uint32_t rampMantissa = (rampBits & 0x7FFFFF) | 0x800000;
            const std::uint32_t rest = rampMantissa & ((1u << shift) - 1);
            const std::uint32_t half = 1u << (shift - 1);
            if (rest == half) {
                return OPEN;  // a tie: the rounding depends on G
            }
            move = static_cast<std::int32_t>((rampMantissa >> shift) + (rest > half ? 1 : 0));
        }
        move = falling ? -move : move;
    }
    const float unit = FloatBits((exponent - 23) << 23);
    return {true, static_cast<std::int32_t>((bits & 0x7FFFFF) | 0x800000), move, negative ? -unit : unit,
            falling};
}

// Whether count more additions keep every sum inside the binade, clear of its edges.
inline bool StaysInside(const Binade& binade, std::int32_t count) {
    if (!binade.closed) {
        return false;
    }
    const std::int32_t last = binade.mantissa + count * binade.move;
    if (binade.move > 0) {
        return last <= HIGHEST_MANTISSA;
    }
    if (binade.move < 0) {
        return last > LOWEST_MANTISSA;
    }
    // No move: a sum just below the binade's bottom would round to a finer unit.
    return !binade.falling || binade.mantissa > LOWEST_MANTISSA;
}

// How many gains in a row of a closed binade, this one included and at most limit (1 or more), the
// closed form gives: every one for which StaysInside holds, found with one division instead of a
// step at a time.
inline std::int32_t FramesInside(const Binade& binade, std::int32_t limit) {
    std::int32_t frames = limit;
    if (binade.move > 0) {
        frames = (HIGHEST_MANTISSA - binade.mantissa) / binade.move + 1;
    } else if (binade.move < 0) {
        // Every sum above the binade's bottom; from the bottom itself, none (the division gives 0).
        frames = (binade.mantissa - LOWEST_MANTISSA - 1) / -binade.move + 1;
    } else if (binade.falling && binade.mantissa == LOWEST_MANTISSA) {
        frames = 1;
    }
    return frames < limit ? frames : limit;
}

inline float GainIn(const Binade& binade) {
    return static_cast<float>(binade.mantissa) * binade.unit;
}
