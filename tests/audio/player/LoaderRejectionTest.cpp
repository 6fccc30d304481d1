// The module loader's refusals, and the limits it keeps a damaged file's counts and sizes within.
#include <gtest/gtest.h>

#include "audio/player/ModuleLoader.h"
#include "tests/audio/player/XmBuilder.h"

TEST(Loader, RejectsWrongIdentification) {
    std::vector<std::uint8_t> bytes = BuildXm(SimpleSpec());
    bytes[9] = 'm';
    EXPECT_EQ(LoadBytes(bytes), nullptr);
}

TEST(Loader, RejectsFileShorterThanTheIdentification) {
    EXPECT_EQ(LoadBytes({'E', 'x', 't'}), nullptr);
    EXPECT_EQ(LoadBytes({}), nullptr);
}

TEST(Loader, RejectsMissingFile) {
    ServeBytes(BuildXm(SimpleSpec()));
    EXPECT_EQ(CreateModule("missing", nullptr), nullptr);
}

TEST(Loader, RejectsInstrumentWithMoreThanSixteenSamples) {
    XmSpec spec = SimpleSpec();
    spec.instruments[0].sampleCountField = 17;
    EXPECT_EQ(LoadBytes(BuildXm(spec)), nullptr);
}

TEST(Loader, RejectsNoChannelsAndMoreThanThirtyTwo) {
    XmSpec spec = SimpleSpec(4);
    spec.channels = 0;
    EXPECT_EQ(LoadBytes(BuildXm(spec)), nullptr);
    spec.channels = 33;
    EXPECT_EQ(LoadBytes(BuildXm(spec)), nullptr);
    spec.channels = 32;
    spec.patterns[0].packed.clear();
    EXPECT_NE(LoadBytes(BuildXm(spec)), nullptr);
}

TEST(Loader, RejectsPatternOfMoreThan256Rows) {
    XmSpec spec = SimpleSpec();
    spec.patterns[0].rows = 257;
    spec.patterns[0].packed.clear();
    EXPECT_EQ(LoadBytes(BuildXm(spec)), nullptr);
    spec.patterns[0].rows = 256;
    EXPECT_NE(LoadBytes(BuildXm(spec)), nullptr);
}

TEST(Loader, RejectsMoreThan256StoredPatterns) {
    XmSpec spec = SimpleSpec();
    spec.patternCountField = 257;
    EXPECT_EQ(LoadBytes(BuildXm(spec)), nullptr);
}

TEST(Loader, PatternOfZeroRowsPlays64EmptyRows) {
    XmSpec spec = SimpleSpec(2);
    spec.patterns[0].rows = 0;
    spec.patterns[0].packed.clear();
    auto module = LoadBytes(BuildXm(spec));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->patterns[0].rows, 64);
    EXPECT_EQ(module->patterns[0].cells.size(), 64u * 2);
}

TEST(Loader, SongLengthAndRestartPositionAreKeptInsideTheOrderTable) {
    XmSpec spec = SimpleSpec();
    spec.songLength = 0;
    spec.restartPosition = 5;
    spec.orders[0] = 3;
    auto module = LoadBytes(BuildXm(spec));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->songLength, 1);
    EXPECT_EQ(module->restartPosition, 0);
    EXPECT_EQ(module->patternCount, 4); // the first entry is played, so its pattern exists
    spec.songLength = 300;
    module = LoadBytes(BuildXm(spec));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->songLength, 256);
    EXPECT_EQ(module->restartPosition, 5);
}

TEST(Loader, TruncatedPatternLeavesTheRestEmpty) {
    XmSpec spec = SimpleSpec(2);
    spec.instruments.clear();
    spec.patterns[0].rows = 64;
    spec.patterns[0].packed = PlainCells({PatternCell{49, 1, 0, 0, 0}});
    spec.patterns[0].packedSizeField = 640;
    auto module = LoadBytes(BuildXm(spec));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->patterns[0].cells[0].note, 49);
    EXPECT_EQ(module->patterns[0].cells[1].note, 0);
}

TEST(Loader, InstrumentsBeyond128AreNotLoaded) {
    XmSpec spec = SimpleSpec();
    spec.instrumentCountField = 300;
    auto module = LoadBytes(BuildXm(spec));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->instrumentCount, 128);
    EXPECT_EQ(module->instruments[0].sampleCount, 1);
    EXPECT_EQ(module->instruments[127].sampleCount, 0); // past the end of the file: empty
}

TEST(Loader, FreeModuleIsFalseForNone) {
    EXPECT_FALSE(FreeModule(nullptr));
    EXPECT_TRUE(FreeModule(LoadBytes(BuildXm(SimpleSpec()))));
}
