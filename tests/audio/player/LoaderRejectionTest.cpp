// The module loader's refusals, and the limits it keeps a damaged file's counts and sizes within.
#include <gtest/gtest.h>

#include "audio/player/ModuleLoader.h"
#include "tests/audio/player/XmBuilder.h"

TEST(Loader, RejectsWrongIdentification) {
    std::vector<std::uint8_t> bytes = BuildXm(SimpleDesign());
    bytes[9] = 'm';
    EXPECT_EQ(LoadBytes(bytes), nullptr);
}

TEST(Loader, RejectsFileShorterThanTheIdentification) {
    EXPECT_EQ(LoadBytes({'E', 'x', 't'}), nullptr);
    EXPECT_EQ(LoadBytes({}), nullptr);
}

TEST(Loader, RejectsMissingFile) {
    ServeBytes(BuildXm(SimpleDesign()));
    EXPECT_EQ(CreateModule("missing", nullptr), nullptr);
}

TEST(Loader, RejectsInstrumentWithMoreThanSixteenSamples) {
    XmDesign design = SimpleDesign();
    design.instruments[0].sampleCountField = 17;
    EXPECT_EQ(LoadBytes(BuildXm(design)), nullptr);
}

TEST(Loader, RejectsNoChannelsAndMoreThanThirtyTwo) {
    XmDesign design = SimpleDesign(4);
    design.channels = 0;
    EXPECT_EQ(LoadBytes(BuildXm(design)), nullptr);
    design.channels = 33;
    EXPECT_EQ(LoadBytes(BuildXm(design)), nullptr);
    design.channels = 32;
    design.patterns[0].packed.clear();
    EXPECT_NE(LoadBytes(BuildXm(design)), nullptr);
}

TEST(Loader, RejectsPatternOfMoreThan256Rows) {
    XmDesign design = SimpleDesign();
    design.patterns[0].rows = 257;
    design.patterns[0].packed.clear();
    EXPECT_EQ(LoadBytes(BuildXm(design)), nullptr);
    design.patterns[0].rows = 256;
    EXPECT_NE(LoadBytes(BuildXm(design)), nullptr);
}

TEST(Loader, RejectsMoreThan256StoredPatterns) {
    XmDesign design = SimpleDesign();
    design.patternCountField = 257;
    EXPECT_EQ(LoadBytes(BuildXm(design)), nullptr);
}

TEST(Loader, PatternOfZeroRowsStaysEmptyAndReadsNoCells) {
    XmDesign design = SimpleDesign(2);
    XmPatternDesign empty;
    empty.rows = 0;
    empty.packedSizeField = 10;  // a size, but 0 rows x 2 channels = no cells to read
    design.patterns.insert(design.patterns.begin(), empty);
    auto module = LoadBytes(BuildXm(design));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->patterns[0].rows, 0);
    EXPECT_TRUE(module->patterns[0].cells.empty());
    EXPECT_EQ(module->patterns[1].rows, 4);  // read right after the empty one's head
    EXPECT_EQ(module->patterns[1].cells[0].note, 49);
}

TEST(Loader, SongLengthAndRestartPositionAreKeptInsideTheOrderTable) {
    XmDesign design = SimpleDesign();
    design.songLength = 0;
    design.restartPosition = 5;
    design.orders[0] = 3;
    auto module = LoadBytes(BuildXm(design));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->songLength, 1);
    EXPECT_EQ(module->restartPosition, 0);
    EXPECT_EQ(module->patternCount, 4);  // the first entry is played, so its pattern exists
    design.songLength = 300;
    module = LoadBytes(BuildXm(design));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->songLength, 256);
    EXPECT_EQ(module->restartPosition, 5);
}

TEST(Loader, TruncatedPatternLeavesTheRestEmpty) {
    XmDesign design = SimpleDesign(2);
    design.instruments.clear();
    design.patterns[0].rows = 64;
    design.patterns[0].packed = PlainCells({PatternCell{49, 1, 0, 0, 0}});
    design.patterns[0].packedSizeField = 640;
    auto module = LoadBytes(BuildXm(design));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->patterns[0].cells[0].note, 49);
    EXPECT_EQ(module->patterns[0].cells[1].note, 0);
}

TEST(Loader, InstrumentsBeyond128AreNotLoaded) {
    XmDesign design = SimpleDesign();
    design.instrumentCountField = 300;
    auto module = LoadBytes(BuildXm(design));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->instrumentCount, 128);
    EXPECT_EQ(module->instruments[0].sampleCount, 1);
    EXPECT_EQ(module->instruments[127].sampleCount, 0);  // past the end of the file: empty
}
