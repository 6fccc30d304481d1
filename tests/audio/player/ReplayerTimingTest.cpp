// Row timelines of the replayer: speed and tempo, position jumps, pattern breaks, pattern loops and
// pattern delays, recorded through the row hook while stepping ModuleTick.
#include <gtest/gtest.h>

#include "audio/player/Playback.h"
#include "tests/audio/player/ReplayerTestModule.h"

using namespace replayer_test;

namespace {

constexpr uint8_t EFFECT_JUMP = 0x0B;
constexpr uint8_t EFFECT_BREAK = 0x0D;
constexpr uint8_t EFFECT_EXTENDED = 0x0E;
constexpr uint8_t EFFECT_SPEED = 0x0F;

// (order, row) pairs of the recorded rows.
std::vector<std::pair<int, int>> Positions(const Timeline& timeline) {
    std::vector<std::pair<int, int>> positions;
    for (const RowStart& start : timeline.rows) {
        positions.emplace_back(start.order, start.row);
    }
    return positions;
}

}  // namespace

TEST(SetBpm, GivesTickLengthsAt44100) {
    auto module = MakeModule(1, 1, 4, {0});
    StartSong(*module);
    const std::pair<int, int> expected[] = {{125, 882}, {150, 735}, {32, 3445}, {255, 432}};
    for (const auto& [bpm, frames] : expected) {
        SetBpm(*module, bpm);
        EXPECT_EQ(module->bpm, bpm);
        EXPECT_EQ(module->samplesPerTick, frames) << "bpm " << bpm;
    }
}

TEST(SetBpm, TreatsZeroAsTheLowestTempo) {
    auto module = MakeModule(1, 1, 4, {0});
    module->defaultBpm = 0;
    StartSong(*module);
    EXPECT_EQ(module->bpm, MINIMUM_BPM);
    EXPECT_EQ(module->samplesPerTick, 3445);
}

TEST(SetBpm, KeepsTicksAtLeastOneFrameLong) {
    auto module = MakeModule(1, 1, 4, {0});
    StartSong(*module);
    module->outputRate = 100;
    SetBpm(*module, 255);
    EXPECT_EQ(module->samplesPerTick, 1);
}

TEST(ReplayerTiming, RowsLastSpeedTimesTickLength) {
    auto module = MakeModule(2, 1, 4, {0});
    StartSong(*module);
    Timeline timeline(*module);
    timeline.RunRows(6);
    ASSERT_EQ(timeline.rows.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(timeline.rows[i].frame, static_cast<int64_t>(i) * 6 * 882);
        EXPECT_EQ(timeline.rows[i].row, static_cast<int>(i % 4));
        EXPECT_EQ(timeline.rows[i].speed, 6);
        EXPECT_EQ(timeline.rows[i].bpm, 125);
    }
    // The song loops: after the only order entry it continues at restartPosition 0.
    EXPECT_EQ(timeline.rows[4].order, 0);
    EXPECT_TRUE(timeline.rows[0].enteredOrder);
    EXPECT_FALSE(timeline.rows[1].enteredOrder);
    EXPECT_TRUE(timeline.rows[4].enteredOrder);
}

TEST(ReplayerTiming, SetSpeedAndTempoTakeEffectFromTheirRow) {
    auto module = MakeModule(1, 1, 8, {0});
    SetEffect(*module, 0, 1, 0, EFFECT_SPEED, 0x1F);  // speed 31
    SetEffect(*module, 0, 2, 0, EFFECT_SPEED, 0x20);  // 32 BPM
    StartSong(*module);
    Timeline timeline(*module);
    timeline.RunRows(4);
    ASSERT_EQ(timeline.rows.size(), 4u);
    // The hook sees each row at the speed and tempo it plays at, its own effects included.
    EXPECT_EQ(timeline.rows[0].speed, 6);
    EXPECT_EQ(timeline.rows[1].speed, 31);
    EXPECT_EQ(timeline.rows[1].bpm, 125);
    EXPECT_EQ(timeline.rows[2].bpm, 32);
    EXPECT_EQ(timeline.rows[2].frame - timeline.rows[1].frame, 31 * 882);
    EXPECT_EQ(timeline.rows[3].bpm, 32);
    // Row 2 sets 32 BPM on its first tick: that tick is already 3445 frames long.
    EXPECT_EQ(timeline.rows[3].frame - timeline.rows[2].frame, 31 * 3445);
}

TEST(ReplayerTiming, SpeedZeroPlaysOneRowPerTick) {
    auto module = MakeModule(1, 1, 8, {0});
    SetEffect(*module, 0, 0, 0, EFFECT_SPEED, 0x00);
    StartSong(*module);
    Timeline timeline(*module);
    timeline.RunRows(4);
    EXPECT_EQ(timeline.rows[2].frame - timeline.rows[1].frame, 882);
    EXPECT_EQ(timeline.rows[3].frame - timeline.rows[2].frame, 882);
}

TEST(ReplayerTiming, PositionJumpGoesToRowZeroOfTheOrderEntry) {
    auto module = MakeModule(1, 3, 4, {0, 1, 2});
    SetEffect(*module, 0, 1, 0, EFFECT_JUMP, 2);
    SetEffect(*module, 2, 1, 0, EFFECT_JUMP, 7);  // past the song: order 0
    StartSong(*module);
    Timeline timeline(*module);
    timeline.RunRows(6);
    const std::vector<std::pair<int, int>> expected = {{0, 0}, {0, 1}, {2, 0}, {2, 1}, {0, 0}, {0, 1}};
    EXPECT_EQ(Positions(timeline), expected);
    EXPECT_TRUE(timeline.rows[2].enteredOrder);
    EXPECT_TRUE(timeline.rows[4].enteredOrder);
}

TEST(ReplayerTiming, BreakOnTheLastEntryGoesToOrderZeroNotRestart) {
    auto module = MakeModule(1, 2, 64, {0, 1});
    module->restartPosition = 1;
    SetEffect(*module, 1, 63, 0, EFFECT_BREAK, 0x45);  // D45 on the last row of the last entry
    StartSong(*module);
    Timeline timeline(*module);
    timeline.RunRows(129);
    ASSERT_EQ(timeline.rows.size(), 129u);
    EXPECT_EQ(timeline.rows[128].order, 0);
    EXPECT_EQ(timeline.rows[128].row, 45);
}

TEST(ReplayerTiming, RunningOffTheLastEntryGoesToRestartPosition) {
    auto module = MakeModule(1, 2, 4, {0, 1, 1});
    module->restartPosition = 1;
    StartSong(*module);
    Timeline timeline(*module);
    timeline.RunRows(13);
    EXPECT_EQ(timeline.rows[12].order, 1);
    EXPECT_EQ(timeline.rows[12].row, 0);
    EXPECT_TRUE(timeline.rows[12].enteredOrder);
}

TEST(ReplayerTiming, BreakPastRow63GoesToRowZeroOfTheNextEntry) {
    auto module = MakeModule(1, 2, 80, {0, 1});
    SetEffect(*module, 0, 2, 0, EFFECT_BREAK, 0x70);
    StartSong(*module);
    Timeline timeline(*module);
    timeline.RunRows(4);
    const std::vector<std::pair<int, int>> expected = {{0, 0}, {0, 1}, {0, 2}, {1, 0}};
    EXPECT_EQ(Positions(timeline), expected);
}

TEST(ReplayerTiming, JumpThenBreakKeepsTheJumpsOrderAndTheBreaksRow) {
    auto module = MakeModule(2, 3, 8, {0, 1, 2});
    SetEffect(*module, 0, 0, 0, EFFECT_JUMP, 2);
    SetEffect(*module, 0, 0, 1, EFFECT_BREAK, 0x05);
    StartSong(*module);
    Timeline timeline(*module);
    timeline.RunRows(2);
    EXPECT_EQ(Positions(timeline)[1], std::make_pair(2, 5));
}

TEST(ReplayerTiming, BreakThenJumpGoesToRowZero) {
    auto module = MakeModule(2, 3, 8, {0, 1, 2});
    SetEffect(*module, 0, 0, 0, EFFECT_BREAK, 0x05);
    SetEffect(*module, 0, 0, 1, EFFECT_JUMP, 2);
    StartSong(*module);
    Timeline timeline(*module);
    timeline.RunRows(2);
    EXPECT_EQ(Positions(timeline)[1], std::make_pair(2, 0));
}

TEST(ReplayerTiming, BreakToARowThePatternLacksPlaysRowZero) {
    auto module = MakeModule(1, 2, 16, {0, 1});
    module->patterns[1].rows = 8;
    module->patterns[1].cells.resize(8);
    SetEffect(*module, 0, 0, 0, EFFECT_BREAK, 0x12);  // row 12 of an 8-row pattern
    StartSong(*module);
    Timeline timeline(*module);
    timeline.RunRows(3);
    const std::vector<std::pair<int, int>> expected = {{0, 0}, {1, 0}, {1, 1}};
    EXPECT_EQ(Positions(timeline), expected);
}

TEST(ReplayerTiming, PatternLoopPlaysTheSectionThreeTimesForE62) {
    auto module = MakeModule(1, 1, 6, {0});
    SetEffect(*module, 0, 1, 0, EFFECT_EXTENDED, 0x60);
    SetEffect(*module, 0, 2, 0, EFFECT_EXTENDED, 0x62);
    StartSong(*module);
    Timeline timeline(*module);
    timeline.RunRows(10);
    const std::vector<std::pair<int, int>> expected = {{0, 0}, {0, 1}, {0, 2}, {0, 1}, {0, 2},
                                                       {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}};
    EXPECT_EQ(Positions(timeline), expected);
    EXPECT_FALSE(timeline.rows[3].enteredOrder);  // a loop jump stays in the order entry
}

TEST(ReplayerTiming, PatternLoopWithoutStartReturnsToRowZero) {
    auto module = MakeModule(1, 1, 4, {0});
    SetEffect(*module, 0, 1, 0, EFFECT_EXTENDED, 0x61);
    StartSong(*module);
    Timeline timeline(*module);
    timeline.RunRows(6);
    const std::vector<std::pair<int, int>> expected = {{0, 0}, {0, 1}, {0, 0}, {0, 1}, {0, 2}, {0, 3}};
    EXPECT_EQ(Positions(timeline), expected);
}

TEST(ReplayerTiming, PatternDelayRepeatsTheRowWithoutANewRowStart) {
    auto module = MakeModule(1, 1, 4, {0});
    SetEffect(*module, 0, 1, 0, EFFECT_EXTENDED, 0xE2);
    StartSong(*module);
    Timeline timeline(*module);
    timeline.RunRows(4);
    ASSERT_EQ(timeline.rows.size(), 4u);
    EXPECT_EQ(timeline.rows[2].frame - timeline.rows[1].frame, 6 * 3 * 882);
    EXPECT_EQ(timeline.rows[2].row, 2);
    EXPECT_EQ(timeline.rows[3].frame - timeline.rows[2].frame, 6 * 882);
}

TEST(ReplayerTiming, LoopToARowThePatternLacksMovesOn) {
    // A loop start remembered in a longer pattern: the row past this pattern's end starts the next entry.
    auto module = MakeModule(1, 2, 16, {0, 1});
    module->patterns[1].rows = 4;
    module->patterns[1].cells.resize(4);
    SetEffect(*module, 0, 10, 0, EFFECT_EXTENDED, 0x60);
    SetEffect(*module, 0, 11, 0, EFFECT_BREAK, 0x00);
    SetEffect(*module, 1, 1, 0, EFFECT_EXTENDED, 0x61);
    StartSong(*module);
    Timeline timeline(*module);
    timeline.RunRows(15);
    const std::vector<std::pair<int, int>> positions = Positions(timeline);
    ASSERT_EQ(positions.size(), 15u);
    const std::vector<std::pair<int, int>> expectedTail = {{1, 0}, {1, 1}, {0, 0}};
    const std::vector<std::pair<int, int>> tail(positions.begin() + 12, positions.end());
    EXPECT_EQ(tail, expectedTail);
}

TEST(Playback, RendersAtEveryRateAWaveDeviceTakesAndNoOther) {
    const std::pair<std::int32_t, std::int32_t> rates[] = {
        {-44100, 0}, {0, 0}, {999, 0}, {1000, 20}, {8000, 160}, {44100, 884}, {384000, 7680}, {384001, 0},
    };
    for (const auto& [rate, blockFrames] : rates) {
        auto module = MakeModule(1, 1, 4, {0});
        EXPECT_EQ(BlockFramesAt(rate), blockFrames) << rate;
        EXPECT_EQ(PreparePlayback(*module, rate), blockFrames != 0) << rate;
    }
}
