// The replayer on damaged song data: key notes past the keymap, missing instruments and samples,
// patterns the order table names but the module lacks, more channels than records, endless slides,
// bad envelopes. Every case plays on without reading outside a buffer (checked under the sanitizers).
#include <gtest/gtest.h>

#include "tests/audio/player/ReplayerTestModule.h"

using namespace replayer_test;

namespace {

// Runs ticks ticks and returns the number of rows started.
size_t RunTicks(Module& module, int ticks) {
    Timeline timeline(module);
    for (int i = 0; i < ticks; ++i) {
        timeline.Tick();
    }
    return timeline.rows.size();
}

}  // namespace

TEST(ReplayerSafety, NotesPastTheKeymapPlayTheEmptySample) {
    auto module = MakeModule(1, 1, 4, {0});
    const uint8_t instrument = AddInstrument(*module);
    CellOf(*module, 0, 0, 0) = {150, instrument, 0, 0, 0};
    CellOf(*module, 0, 1, 0) = {254, instrument, 0, 0x03, 0x10};
    StartSong(*module);
    RunTicks(*module, 12);
    EXPECT_EQ(Channels()[0].keyNote, 149);
    EXPECT_EQ(Channels()[0].voice->sample, nullptr);
}

TEST(ReplayerSafety, MissingInstrumentsAndSlotsPlaySilence) {
    auto module = MakeModule(2, 1, 4, {0});
    AddInstrument(*module);
    module->instruments[0].keymap[48] = 16;  // a slot the instrument cannot have
    module->instruments[0].keymap[50] = 3;   // a slot past its one sample
    CellOf(*module, 0, 0, 0) = {49, 1, 0, 0, 0};
    CellOf(*module, 0, 0, 1) = {49, 128, 0, 0x0E, 0x51};  // instrument 128 of 1; E5y on the empty sample
    CellOf(*module, 0, 1, 0) = {51, 1, 0, 0, 0};
    StartSong(*module);
    RunTicks(*module, 12);
    EXPECT_EQ(Channels()[0].voice->sample, nullptr);
    EXPECT_EQ(Channels()[1].voice->sample, nullptr);
    EXPECT_EQ(EmptySample().finetune, 0);
    EXPECT_EQ(EmptySample().length, 0u);
}

TEST(ReplayerSafety, OrderEntriesWithoutPatternsPlayEmptyRows) {
    auto module = MakeModule(1, 1, 4, {0, 9});
    StartSong(*module);
    Timeline timeline(*module);
    timeline.RunRows(4 + EMPTY_PATTERN_ROWS + 1);
    ASSERT_EQ(timeline.rows.size(), 4u + EMPTY_PATTERN_ROWS + 1);
    EXPECT_EQ(timeline.rows[4].order, 1);
    EXPECT_EQ(timeline.rows.back().order, 0);
}

TEST(ReplayerSafety, PatternOfZeroRowsPlaysOneRowOfNothing) {
    auto module = MakeModule(1, 2, 4, {0, 1});
    const uint8_t instrument = AddInstrument(*module);
    CellOf(*module, 0, 3, 0) = {49, instrument, 0, 0x0A, 0x0F};  // a note sliding down on the last row
    module->patterns[1].rows = 0;
    module->patterns[1].cells.clear();
    StartSong(*module);
    Timeline timeline(*module);
    timeline.RunRows(5);
    EXPECT_EQ(Channels()[0].lastEffect, 0x0A);  // the row's first tick read no cell of any channel
    timeline.RunRows(6);
    ASSERT_EQ(timeline.rows.size(), 6u);
    EXPECT_EQ(timeline.rows[4].order, 1);
    EXPECT_EQ(timeline.rows[4].row, 0);
    EXPECT_EQ(timeline.rows[5].frame - timeline.rows[4].frame, 6 * 882);  // one row of speed ticks
    EXPECT_EQ(timeline.rows[5].order, 0);
}

TEST(ReplayerSafety, RestartPositionPastTheSongStartsOver) {
    auto module = MakeModule(1, 1, 2, {0, 0});
    module->restartPosition = 300;
    StartSong(*module);
    Timeline timeline(*module);
    timeline.RunRows(6);
    EXPECT_EQ(timeline.rows[4].order, 0);
    EXPECT_EQ(timeline.rows[4].row, 0);
}

TEST(ReplayerSafety, EmptySongAndNoChannelsStillTick) {
    auto module = MakeModule(0, 0, 0, {});
    StartSong(*module);
    EXPECT_GT(RunTicks(*module, 50), 0u);
    auto wide = MakeModule(40, 1, 2, {0});  // more channels than channel records
    const uint8_t instrument = AddInstrument(*wide);
    for (int channel = 0; channel < 40; ++channel) {
        CellOf(*wide, 0, 0, channel) = {49, instrument, 0, 0, 0};
    }
    StartSong(*wide);
    RunTicks(*wide, 20);
    EXPECT_NE(Channels()[31].voice->sample, nullptr);
}

TEST(ReplayerSafety, ShortPatternCellBufferReadsNothingPastIt) {
    auto module = MakeModule(4, 1, 8, {0});
    module->patterns[0].cells.resize(5);  // fewer cells than rows x channels
    StartSong(*module);
    EXPECT_EQ(RunTicks(*module, 60), 10u);
}

TEST(ReplayerSafety, EndlessSlidesStayBounded) {
    auto module = MakeModule(3, 1, 1, {0});
    const uint8_t instrument = AddInstrument(*module);
    CellOf(*module, 0, 0, 0) = {1, instrument, 0xEF, 0x02, 0xFF};   // down and panning right
    CellOf(*module, 0, 0, 1) = {96, instrument, 0xDF, 0x01, 0xFF};  // up and panning left
    CellOf(*module, 0, 0, 2) = {96, instrument, 0, 0x0E, 0x1F};     // fine up on every row
    module->defaultSpeed = 31;
    StartSong(*module);
    RunTicks(*module, 400000);
    for (int channel = 0; channel < 3; ++channel) {
        const Voice& voice = *Channels()[channel].voice;
        EXPECT_GE(voice.panning, 0);
        EXPECT_LE(voice.panning, 255);
    }
    EXPECT_LE(std::abs(Channels()[0].period), 1 << 24);
}

TEST(ReplayerSafety, DamagedEnvelopesPlayWithinRange) {
    auto module = MakeModule(1, 1, 4, {0});
    const uint8_t number = AddInstrument(*module);
    Instrument& instrument = module->instruments[0];
    instrument.volumeEnvelope[0] = {0, 64};
    instrument.volumeEnvelope[1] = {60000, 0};
    instrument.volumeEnvelope[2] = {60001, 65535};
    instrument.volumePointCount = 200;
    instrument.volumeSustain = 99;
    instrument.volumeLoopStart = 77;
    instrument.volumeLoopEnd = 2;
    instrument.volumeType = 7;
    instrument.panningEnvelope[0] = {10, 64};
    instrument.panningEnvelope[1] = {5, 0};
    instrument.panningPointCount = 2;
    instrument.panningLoopStart = 1;
    instrument.panningLoopEnd = 0;
    instrument.panningType = 5;
    instrument.vibratoType = 200;
    instrument.vibratoDepth = 255;
    instrument.vibratoRate = 255;
    CellOf(*module, 0, 0, 0) = {49, number, 0, 21, 0x01};  // set the envelope position near the start
    CellOf(*module, 0, 2, 0) = {0, 0, 0, 21, 0xFF};
    StartSong(*module);
    for (int tick = 0; tick < 5000; ++tick) {
        ModuleTick(*module);
        const Channel& channel = Channels()[0];
        ASSERT_GE(channel.volumeEnvelopeValue, 0);
        ASSERT_LE(channel.volumeEnvelopeValue, 64);
        ASSERT_GE(channel.voice->volume, 0);
        ASSERT_LE(channel.voice->volume, 127);
    }
}

TEST(ReplayerSafety, SampleOffsetPastTheEndAndAnEmptySample) {
    auto module = MakeModule(1, 1, 4, {0});
    AddInstrument(*module, 16);
    CellOf(*module, 0, 0, 0) = {49, 1, 0, 0x09, 0xFF};
    CellOf(*module, 0, 1, 0) = {49, 1, 0, 0x09, 0x00};
    StartSong(*module);
    RunTicks(*module, 12);
    EXPECT_LT(Channels()[0].voice->position, 16u);
}
