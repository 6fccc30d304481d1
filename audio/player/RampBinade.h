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
    float moved;            // ramp / u, exactly
};

inline constexpr std::int32_t LOWEST_MANTISSA = 1 << 23;
inline constexpr std::int32_t HIGHEST_MANTISSA = (1 << 24) - 1;
// Below 2^-96 (and at zero) the unit would not be a normal number: such gains are added one by one.
inline constexpr std::uint32_t LOWEST_EXPONENT = 31;
inline constexpr float MOVE_LIMIT = 4194304.0f;  // 2^22 units

inline float FloatBits(std::uint32_t bits) {
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline Binade BinadeOf(float gain, float ramp) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &gain, sizeof bits);
    const std::uint32_t exponent = (bits >> 23) & 0xFF;
    if (exponent < LOWEST_EXPONENT || exponent == 0xFF) {
        return {false, 0, 0, 0.0f, 0.0f};
    }
    const bool negative = (bits >> 31) != 0;
    // The ramp in units: a scaling by a power of two, so exact.
    const float moved = (negative ? -ramp : ramp) * FloatBits((277 - exponent) << 23);
    if (!(moved < MOVE_LIMIT && moved > -MOVE_LIMIT)) {
        return {false, 0, 0, 0.0f, 0.0f};
    }
    const auto whole = static_cast<std::int32_t>(moved);
    const float part = moved - static_cast<float>(whole);
    if (part == 0.5f || part == -0.5f) {
        return {false, 0, 0, 0.0f, 0.0f};
    }
    const std::int32_t move = whole + (part > 0.5f ? 1 : 0) - (part < -0.5f ? 1 : 0);
    const float unit = FloatBits((exponent - 23) << 23);
    return {true, static_cast<std::int32_t>((bits & 0x7FFFFF) | 0x800000), move, negative ? -unit : unit,
            moved};
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
    return binade.moved >= 0.0f || binade.mantissa > LOWEST_MANTISSA;
}

inline float GainIn(const Binade& binade) {
    return static_cast<float>(binade.mantissa) * binade.unit;
}
