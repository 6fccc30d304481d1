// The closed form of a gain ramp: wherever BinadeOf and StaysInside allow it, (G + k M) x unit is
// exactly the gain that k single-precision additions of the ramp give - at the edges of a binade, for
// ramps that round to no move at all, for negative gains, and never across a tie.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "audio/player/RampBinade.h"

namespace {

bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Follows the closed form from gain for as many frames as it allows (at most limit) and checks each
// frame against the additions; returns the frames it allowed.
int CheckClosedForm(float gain, float ramp, int limit) {
    Binade binade = BinadeOf(gain, ramp);
    float added = gain;
    int frames = 0;
    while (frames < limit && StaysInside(binade, 1)) {
        added += ramp;
        binade.mantissa += binade.move;
        ++frames;
        EXPECT_TRUE(SameBits(GainIn(binade), added)) << gain << " + " << ramp << " after " << frames;
    }
    return frames;
}

struct RampCase {
    const char* name;
    float gain;
    float ramp;
    int frames;  // the closed form holds for at least this many
};

const RampCase CASES[] = {
    {"a small slide up", 0.3f, 1e-4f, 100},
    {"a small slide down", 0.3f, -1e-4f, 100},
    {"a ramp that rounds to no move", 0.4f, 1e-9f, 1000},
    {"a subnormal ramp", 0.4f, 1e-40f, 1000},
    {"a subnormal ramp down from the bottom of a binade", 0.25f, -1e-40f, 0},
    {"a negative gain going down", -0.3f, -1e-4f, 100},
    {"a negative gain going up", -0.3f, 1e-4f, 100},
    {"right at the bottom of a binade, going up", 0.25f, 3e-5f, 100},
    {"just below the top of a binade", std::nextafter(0.5f, 0.0f), -2e-5f, 100},
};

TEST(RampBinade, ClosedFormGivesTheAdditionsGains) {
    for (const RampCase& test : CASES) {
        SCOPED_TRACE(test.name);
        EXPECT_GE(CheckClosedForm(test.gain, test.ramp, 1000), test.frames);
    }
}

TEST(RampBinade, StopsWhereTheGainWouldLeaveItsBinade) {
    // 0.49 + 0.01 reaches the next binade after one step: the closed form must not take it.
    EXPECT_LE(CheckClosedForm(0.49f, 0.01f, 10), 1);
    // Down from the bottom of a binade: the first sum lies in the binade below, with a finer unit.
    EXPECT_EQ(CheckClosedForm(0.25f, -1e-9f, 10), 0);
    EXPECT_EQ(CheckClosedForm(0.25f, -1e-4f, 10), 0);
}

TEST(RampBinade, LeavesTiesAndTinyGainsToTheAdditions) {
    // In the binade [0.25, 0.5) the unit is 2^-25: a ramp of 1.5 units lies halfway.
    EXPECT_FALSE(BinadeOf(0.3f, 1.5f * std::ldexp(1.0f, -25)).closed);
    EXPECT_FALSE(BinadeOf(0.3f, -2.5f * std::ldexp(1.0f, -25)).closed);
    EXPECT_TRUE(BinadeOf(0.3f, 2.0f * std::ldexp(1.0f, -25)).closed);
    EXPECT_FALSE(BinadeOf(0.0f, 1e-4f).closed);
    EXPECT_FALSE(BinadeOf(1e-35f, 1e-4f).closed);
    EXPECT_FALSE(BinadeOf(INFINITY, 1e-4f).closed);
    EXPECT_FALSE(BinadeOf(0.3f, NAN).closed);
    EXPECT_FALSE(BinadeOf(0.3f, 1.0f).closed);  // millions of units at once
}

// FramesInside finds at once how far the closed form goes: as far as stepping StaysInside does.
TEST(RampBinade, FramesInsideCountsWhatTheStepsAllow) {
    std::mt19937 random(11);
    std::uniform_real_distribution<float> gains(-0.5f, 0.5f);
    std::uniform_int_distribution<int> exponents(-30, -5);
    int shortened = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        const Binade binade = BinadeOf(gains(random), std::ldexp(gains(random), exponents(random)));
        if (!binade.closed) {
            continue;
        }
        const int limit = 1 + trial % 300;
        int stepped = 1;
        while (stepped < limit && StaysInside(binade, stepped)) {
            ++stepped;
        }
        EXPECT_EQ(FramesInside(binade, limit), stepped) << trial;
        shortened += stepped < limit ? 1 : 0;
    }
    EXPECT_GT(shortened, 1000);  // runs that end before the limit were among them
    // From the bottom of a binade going down, and with no move on the way down: the gain alone.
    EXPECT_EQ(FramesInside(BinadeOf(0.25f, -1e-4f), 50), 1);
    EXPECT_EQ(FramesInside(BinadeOf(0.25f, -1e-9f), 50), 1);
    EXPECT_EQ(FramesInside(BinadeOf(0.3f, 1e-9f), 50), 50);
}

TEST(RampBinade, RandomRampsAgreeWithTheAdditions) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> gains(-0.5f, 0.5f);
    std::uniform_int_distribution<int> exponents(-30, -5);
    for (int trial = 0; trial < 20000; ++trial) {
        const float ramp = std::ldexp(gains(random), exponents(random));
        CheckClosedForm(gains(random), ramp, 300);
        // Ramps of whole and half units, where ties lie.
        const float gain = gains(random);
        const int exponent = std::ilogb(gain) - 23;
        CheckClosedForm(gain, std::ldexp(static_cast<float>(trial % 7) * 0.5f + 0.5f, exponent), 50);
    }
}

}  // namespace
