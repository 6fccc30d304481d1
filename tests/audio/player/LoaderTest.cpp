// The module loader on files built in memory: what it reads, converts, bounds and rejects.
#include <gtest/gtest.h>

#include "audio/player/ModuleLoader.h"
#include "audio/player/Replayer.h"
#include "tests/audio/player/XmBuilder.h"

namespace {

const Sample& FirstSample(const Module& module) {
    return *module.instruments.at(0).samples[0];
}

XmDesign DesignWithSample(const XmSampleDesign& sample) {
    XmDesign design = SimpleDesign();
    design.instruments[0].samples = {sample};
    return design;
}

}  // namespace

TEST(Loader, ReadsSongHeader) {
    XmDesign design = SimpleDesign(6);
    design.speed = 5;
    design.bpm = 140;
    design.flags = 1;
    auto module = LoadBytes(BuildXm(design));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->channelCount, 6);
    EXPECT_EQ(module->songLength, 1);
    EXPECT_EQ(module->defaultSpeed, 5);
    EXPECT_EQ(module->defaultBpm, 140);
    EXPECT_EQ(module->flags, 1);
    EXPECT_EQ(module->initialGlobalVolume, 64);
    EXPECT_EQ(module->tickHandler, &ModuleTick);
    EXPECT_EQ(module->patternCount, 1);
    EXPECT_EQ(module->instrumentCount, 1);
}

TEST(Loader, UnpacksPlainAndMaskedCells) {
    XmDesign design = SimpleDesign(2);
    XmPatternDesign& pattern = design.patterns[0];
    pattern.rows = 2;
    pattern.packed = PlainCells({PatternCell{49, 1, 0x40, 0x0C, 0x20}});
    AppendPackedCell(pattern.packed, PatternCell{0, 2, 0, 0x0F, 0x03});
    AppendPackedCell(pattern.packed, PatternCell{97, 0, 0, 0, 0});  // key off
    pattern.packed.push_back(0x80);                                 // mask with no fields: empty cell
    auto module = LoadBytes(BuildXm(design));
    ASSERT_NE(module, nullptr);
    const std::vector<PatternCell>& cells = module->patterns[0].cells;
    ASSERT_EQ(cells.size(), 4u);
    EXPECT_EQ(cells[0].note, 49);
    EXPECT_EQ(cells[0].instrument, 1);
    EXPECT_EQ(cells[0].volume, 0x40);
    EXPECT_EQ(cells[0].effect, 0x0C);
    EXPECT_EQ(cells[0].parameter, 0x20);
    EXPECT_EQ(cells[1].note, 0);
    EXPECT_EQ(cells[1].instrument, 2);
    EXPECT_EQ(cells[1].effect, 0x0F);
    EXPECT_EQ(cells[1].parameter, 0x03);
    EXPECT_EQ(cells[2].note, NOTE_KEY_OFF);
    EXPECT_EQ(cells[3].note, 0);
    EXPECT_EQ(cells[3].effect, 0);
}

TEST(Loader, DropsInstrumentNumbersAbove128AndNotesAbove97ButKeepsKeyOff) {
    XmDesign design = SimpleDesign(2);
    design.patterns[0].rows = 2;
    design.patterns[0].packed = PlainCells({PatternCell{98, 129, 0, 0, 0}, PatternCell{96, 128, 0, 0, 0}});
    AppendPackedCell(design.patterns[0].packed, PatternCell{255, 0, 0, 0, 0});
    AppendPackedCell(design.patterns[0].packed, PatternCell{97, 0, 0, 0, 0});
    auto module = LoadBytes(BuildXm(design));
    ASSERT_NE(module, nullptr);
    const std::vector<PatternCell>& cells = module->patterns[0].cells;
    EXPECT_EQ(cells[0].instrument, 0);
    EXPECT_EQ(cells[0].note, 0);
    EXPECT_EQ(cells[1].instrument, 128);
    EXPECT_EQ(cells[1].note, 96);
    EXPECT_EQ(cells[2].note, NOTE_KEY_OFF);  // the file's 255 is key off too
    EXPECT_EQ(cells[3].note, NOTE_KEY_OFF);
}

TEST(Loader, PatternWithPackedSizeZeroKeepsItsRowsEmpty) {
    XmDesign design = SimpleDesign(4);
    design.patterns[0].rows = 32;
    design.patterns[0].packed.clear();
    auto module = LoadBytes(BuildXm(design));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->patterns[0].rows, 32);
    EXPECT_TRUE(module->patterns[0].cells.empty());  // no cells: every one empty
    // The instrument after it is still found.
    EXPECT_EQ(FirstSample(*module).length, 64u);
}

TEST(Loader, PatternsNamedByOrderButNotStoredGet64EmptyRows) {
    XmDesign design = SimpleDesign(2);
    design.songLength = 3;
    design.orders[0] = 0;
    design.orders[1] = 10;
    design.orders[2] = 2;
    design.orders[3] = 200;  // beyond songLength: not counted
    for (int index = 1; index < 4; ++index)
        design.patterns.push_back(XmPatternDesign{8, {}, -1});
    auto module = LoadBytes(BuildXm(design));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->highestOrderPattern, 11);
    EXPECT_EQ(module->patternCount, 11);
    EXPECT_EQ(module->patterns[3].rows, 8);
    for (int index = 4; index <= 10; ++index) {
        EXPECT_EQ(module->patterns[index].rows, 64);
        EXPECT_TRUE(module->patterns[index].cells.empty());
    }
}

TEST(Loader, DecodesEightBitDeltasIntoTheHighByte) {
    XmSampleDesign sample;
    sample.data = {10, 246};  // deltas +10, -10
    sample.length = 2;
    auto module = LoadBytes(BuildXm(DesignWithSample(sample)));
    ASSERT_NE(module, nullptr);
    const Sample& loaded = FirstSample(*module);
    EXPECT_EQ(loaded.bits, 16);
    ASSERT_EQ(loaded.length, 2u);
    EXPECT_EQ(loaded.data[0], 2560);
    EXPECT_EQ(loaded.data[1], 0);
    EXPECT_EQ(loaded.data.size(), 2u + SAMPLE_GUARD_FRAMES);
}

TEST(Loader, EightBitDeltasWrapAtEightBits) {
    XmSampleDesign sample;
    sample.data = {100, 100};  // 100, then 200 wraps to -56
    sample.length = 2;
    auto module = LoadBytes(BuildXm(DesignWithSample(sample)));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(FirstSample(*module).data[0], 100 * 256);
    EXPECT_EQ(FirstSample(*module).data[1], -56 * 256);
}

TEST(Loader, DecodesSixteenBitDeltas) {
    XmSampleDesign sample;
    sample.data = Delta16({1000, -2000, 32767, -32768});
    sample.length = 8;
    sample.type = 0x10;
    auto module = LoadBytes(BuildXm(DesignWithSample(sample)));
    ASSERT_NE(module, nullptr);
    const Sample& loaded = FirstSample(*module);
    ASSERT_EQ(loaded.length, 4u);
    EXPECT_EQ(loaded.data[0], 1000);
    EXPECT_EQ(loaded.data[1], -2000);
    EXPECT_EQ(loaded.data[2], 32767);
    EXPECT_EQ(loaded.data[3], -32768);
    EXPECT_EQ(loaded.data[4], 0);  // after a one-shot sample the guard frames are silent
}

TEST(Loader, SixteenBitLoopIsConvertedFromBytesToFrames) {
    XmSampleDesign sample;
    sample.data.assign(1000, 0);
    sample.length = 1000;
    sample.loopStart = 200;
    sample.loopLength = 400;
    sample.type = 0x11;
    auto module = LoadBytes(BuildXm(DesignWithSample(sample)));
    ASSERT_NE(module, nullptr);
    const Sample& loaded = FirstSample(*module);
    EXPECT_EQ(loaded.length, 500u);
    EXPECT_EQ(loaded.loopStart, 100u);
    EXPECT_EQ(loaded.loopLength, 200u);
    EXPECT_EQ(loaded.loopType, LOOP_FORWARD);
}

TEST(Loader, BothLoopBitsMakeAPingPongLoop) {
    XmSampleDesign sample;
    sample.data = Delta8({1, 2, 3, 4, 5, 6, 7, 8});
    sample.length = 8;
    sample.loopStart = 2;
    sample.loopLength = 4;
    sample.type = 0x03;
    auto module = LoadBytes(BuildXm(DesignWithSample(sample)));
    ASSERT_NE(module, nullptr);
    const Sample& loaded = FirstSample(*module);
    EXPECT_EQ(loaded.loopType, LOOP_PINGPONG);
    // The guard frame after the loop repeats the loop's last frame.
    EXPECT_EQ(loaded.data[6], loaded.data[5]);
    EXPECT_EQ(loaded.data[6], 6 * 256);
}

TEST(Loader, ForwardLoopGuardFrameRepeatsTheLoopStart) {
    XmSampleDesign sample;
    sample.data = Delta8({1, 2, 3, 4, 5, 6, 7, 8});
    sample.length = 8;
    sample.loopStart = 2;
    sample.loopLength = 4;
    sample.type = 0x01;
    auto module = LoadBytes(BuildXm(DesignWithSample(sample)));
    ASSERT_NE(module, nullptr);
    const Sample& loaded = FirstSample(*module);
    EXPECT_EQ(loaded.loopType, LOOP_FORWARD);
    EXPECT_EQ(loaded.data[6], 3 * 256);
}

TEST(Loader, LoopOfLengthZeroPlaysTheWholeSampleOnce) {
    XmSampleDesign sample;
    sample.data.assign(16, 1);
    sample.length = 16;
    sample.loopStart = 4;
    sample.loopLength = 0;
    sample.type = 0x01;
    auto module = LoadBytes(BuildXm(DesignWithSample(sample)));
    ASSERT_NE(module, nullptr);
    const Sample& loaded = FirstSample(*module);
    EXPECT_EQ(loaded.loopType, LOOP_NONE);
    EXPECT_EQ(loaded.loopStart, 0u);
    EXPECT_EQ(loaded.loopLength, 16u);
}

TEST(Loader, UnloopedSampleLoopsOverItsWholeLength) {
    XmSampleDesign sample;
    sample.data.assign(16, 1);
    sample.length = 16;
    sample.loopStart = 4;
    sample.loopLength = 8;
    sample.type = 0x00;
    auto module = LoadBytes(BuildXm(DesignWithSample(sample)));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(FirstSample(*module).loopStart, 0u);
    EXPECT_EQ(FirstSample(*module).loopLength, 16u);
}

TEST(Loader, LoopRunningPastTheEndIsCutAtTheEnd) {
    XmSampleDesign sample;
    sample.data.assign(16, 1);
    sample.length = 16;
    sample.loopStart = 10;
    sample.loopLength = 100;
    sample.type = 0x01;
    auto module = LoadBytes(BuildXm(DesignWithSample(sample)));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(FirstSample(*module).loopStart, 10u);
    EXPECT_EQ(FirstSample(*module).loopLength, 6u);
    EXPECT_EQ(FirstSample(*module).loopType, LOOP_FORWARD);
}

TEST(Loader, LoopStartingPastTheEndBecomesNoLoop) {
    XmSampleDesign sample;
    sample.data.assign(16, 1);
    sample.length = 16;
    sample.loopStart = 40;
    sample.loopLength = 4;
    sample.type = 0x02;
    auto module = LoadBytes(BuildXm(DesignWithSample(sample)));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(FirstSample(*module).loopType, LOOP_NONE);
    EXPECT_EQ(FirstSample(*module).loopLength, 16u);
}

TEST(Loader, SampleLongerThanTheFileIsShortenedToWhatIsThere) {
    XmSampleDesign sample;
    sample.data.assign(10, 1);
    sample.length = 0x7FFFFFF0;  // the header claims about 2 GB
    sample.loopStart = 2;
    sample.loopLength = 0x7FFFFF00;
    sample.type = 0x01;
    auto module = LoadBytes(BuildXm(DesignWithSample(sample)));
    ASSERT_NE(module, nullptr);
    const Sample& loaded = FirstSample(*module);
    EXPECT_EQ(loaded.length, 10u);
    EXPECT_EQ(loaded.loopStart, 2u);
    EXPECT_EQ(loaded.loopLength, 8u);
    EXPECT_EQ(loaded.data.size(), 10u + SAMPLE_GUARD_FRAMES);
}

TEST(Loader, InstrumentWithoutSamplesUsesTheEmptySampleEverywhere) {
    XmDesign design = SimpleDesign();
    XmInstrumentDesign empty;
    empty.headerSize = 29;
    design.instruments.insert(design.instruments.begin(), empty);
    auto module = LoadBytes(BuildXm(design));
    ASSERT_NE(module, nullptr);
    ASSERT_EQ(module->instrumentCount, 2);
    EXPECT_EQ(module->instruments[0].sampleCount, 0);
    for (Sample* sample : module->instruments[0].samples)
        EXPECT_EQ(sample, &EmptySample());
    // The next record is found by the header size.
    EXPECT_EQ(module->instruments[1].sampleCount, 1);
    EXPECT_EQ(module->instruments[1].samples[0]->length, 64u);
    EXPECT_EQ(module->instruments[1].samples[1], &EmptySample());
}

TEST(Loader, ReadsInstrumentFields) {
    XmDesign design = SimpleDesign();
    XmInstrumentDesign& instrument = design.instruments[0];
    instrument.keymap[10] = 3;
    instrument.volumePoints = 2;
    instrument.volumeType = 3;
    instrument.volumeSustain = 1;
    instrument.volumeEnvelope[0] = 0;
    instrument.volumeEnvelope[1] = 64;
    instrument.volumeEnvelope[2] = 10;
    instrument.volumeEnvelope[3] = 32;
    instrument.fadeout = 0x8001;
    instrument.vibratoType = 1;
    instrument.vibratoSweep = 8;
    instrument.vibratoDepth = 4;
    instrument.vibratoRate = 20;
    auto module = LoadBytes(BuildXm(design));
    ASSERT_NE(module, nullptr);
    const Instrument& loaded = module->instruments[0];
    EXPECT_EQ(loaded.keymap[10], 3);
    EXPECT_EQ(loaded.volumePointCount, 2);
    EXPECT_EQ(loaded.volumeType, 3);
    EXPECT_EQ(loaded.volumeSustain, 1);
    EXPECT_EQ(loaded.volumeEnvelope[1].x, 10);
    EXPECT_EQ(loaded.volumeEnvelope[1].y, 32);
    EXPECT_EQ(loaded.fadeout, 0x0002);  // doubled, kept to 16 bits
    EXPECT_EQ(loaded.vibratoSweep, 8);
    EXPECT_EQ(loaded.vibratoRate, 20);
}

TEST(Loader, EnvelopeWithFewerThanTwoPointsIsOff) {
    XmDesign design = SimpleDesign();
    design.instruments[0].volumePoints = 1;
    design.instruments[0].volumeType = 1;
    auto module = LoadBytes(BuildXm(design));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->instruments[0].volumeType, 0);
}

TEST(Loader, EnvelopePointCountIsKeptToTwelve) {
    XmDesign design = SimpleDesign();
    design.instruments[0].volumePoints = 200;
    design.instruments[0].volumeType = 1;
    auto module = LoadBytes(BuildXm(design));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->instruments[0].volumePointCount, MAX_ENVELOPE_POINTS);
}

TEST(Loader, SampleDataHookReceivesTheRawBytesInstead) {
    static std::vector<std::uint8_t> seen;
    static int seenBits = 0;
    seen.clear();
    XmSampleDesign sample;
    sample.data = {10, 246, 7};
    sample.length = 3;
    XmDesign design = DesignWithSample(sample);
    ServeBytes(BuildXm(design));
    auto module = CreateModule("test.xm", [](std::uint8_t* buffer, std::uint32_t count, int bits, int, int) {
        seen.assign(buffer, buffer + count);
        seenBits = bits;
        buffer[0] = 1;  // not delta-decoded afterwards
        buffer[1] = 2;
    });
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(seen, (std::vector<std::uint8_t>{0, 0, 0}));  // the file's bytes are skipped, not read
    EXPECT_EQ(seenBits, 8);
    EXPECT_EQ(FirstSample(*module).data[0], 256);
    EXPECT_EQ(FirstSample(*module).data[1], 512);
}
