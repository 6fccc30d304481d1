// Columns made from numbers, their rotation, and the shared generator that feeds them.
#include <gtest/gtest.h>

#include "game/SharedRandom.h"
#include "tests/game/WellText.h"

TEST(SharedRandom, SeedOneGivesTheKnownSequence) {
    seedRandom(1);
    const std::uint32_t expected[] = {41, 18467, 6334, 26500, 19169};
    for (const std::uint32_t value : expected) {
        EXPECT_EQ(nextRandom(), value);
    }
}

TEST(SharedRandom, ValuesStayWithinFifteenBits) {
    seedRandom(0xFFFFFFFFu);
    for (int i = 0; i < 10000; ++i) {
        EXPECT_LE(nextRandom(), 32767u);
    }
}

TEST(Triple, MakesJewelsFromTheLowSevenBitsOfEachByte) {
    EXPECT_EQ(makeTriple(0), 0x00313131u);
    // Byte 0: 41 -> 41 mod 6 = 5; byte 1: 0x23 -> 5; byte 2: 0xBE AND 0x7F = 62 -> 2; byte 3 ignored.
    EXPECT_EQ(makeTriple(0xFFBE2329u), 0x00333636u);
    EXPECT_EQ(makeTriple(0x00800605u), 0x00313136u);  // 0x80 is 0 once the top bit goes
}

TEST(Triple, RotationMovesEveryJewelDownAndTheBottomToTheTop) {
    const Triple column = 0x00333231;  // bottom '1', middle '2', top '3'
    EXPECT_EQ(rotateTriple(column), 0x00313332u);
    EXPECT_EQ(tripleJewel(rotateTriple(column), 0), '2');
    EXPECT_EQ(tripleJewel(rotateTriple(column), 2), '1');
    EXPECT_EQ(rotateTriple(rotateTriple(rotateTriple(column))), column);
}

TEST(Triple, FirstColumnOfSeedOneIsSixSixThree) {
    GameSession session(1);
    Player& player = joinedPlayer(session, GameKind::OnePlayer);
    EXPECT_EQ(session.randomPool[0], 41);
    EXPECT_EQ(session.randomPool[4], 19169);
    EXPECT_EQ(tripleJewel(player.current, 0), 0x36);
    EXPECT_EQ(tripleJewel(player.current, 1), 0x36);
    EXPECT_EQ(tripleJewel(player.current, 2), 0x33);
    EXPECT_EQ(player.randomCursor, 6u);
    EXPECT_EQ(player.columnX, 2u);
    EXPECT_EQ(player.fallAccumulator, 0u);
}

TEST(Triple, SpawningWrapsAroundThePool) {
    GameSession session(5);
    Player& player = joinedPlayer(session, GameKind::OnePlayer);
    player.randomCursor = RANDOM_POOL_SIZE - 1;
    player.spawnColumn();
    EXPECT_EQ(player.randomCursor, 2u);
    const auto byte = [&](std::uint32_t i) {
        return static_cast<std::uint32_t>(session.randomPool[i]) & 0xFF;
    };
    EXPECT_EQ(player.next, makeTriple(byte(RANDOM_POOL_SIZE - 1) + byte(0) * 256 + byte(1) * 65536));
}
