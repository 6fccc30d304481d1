// The module layout: header fields, cell packing, pattern records, instrument and sample
// headers, and delta-coded sample data, read back by offsets in the test.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tools/xmcompose/XmWriter.h"

namespace xmcompose {
namespace {

uint32_t u16(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes.at(at) | bytes.at(at + 1) << 8;
}
uint32_t u32(const std::vector<uint8_t>& bytes, size_t at) {
    return u16(bytes, at) | u16(bytes, at + 2) << 16;
}

std::unique_ptr<Song> twoChannelSong() {
    auto song = std::make_unique<Song>();
    song->name = "A name longer than twenty bytes";
    song->channels = 2;
    song->speed = 5;
    song->bpm = 118;
    song->orders = {1, 0, 1};
    song->restart = 1;
    for (Pattern* pattern : {&song->patterns[0], &song->patterns[1]}) {
        pattern->defined = true;
        pattern->rows = 3;
        pattern->cells.assign(6, Cell{});
    }
    song->patterns[0].cells[0] = Cell{49, 1, 0x50, 10, 4};
    song->patterns[0].cells[3] = Cell{KEY_OFF_NOTE, 0, 0, 13, 0};
    InstrumentDesign& design = song->instruments[1];
    design.defined = true;
    design.name = "bell";
    design.volume = 40;
    design.panning = 90;
    design.fadeout = 300;
    design.volumeEnvelope.points = {{0, 64}, {8, 20}, {30, 0}};
    design.volumeEnvelope.sustain = 1;
    design.vibratoDepth = 3;
    design.panningEnvelope.points = {{0, 32}, {10, 60}};
    design.panningEnvelope.loopStart = 0;
    design.panningEnvelope.loopEnd = 1;
    return song;
}

SampleData sixteenBitLoop() {
    SampleData sample;
    sample.frames = {0, 1000, -1000, 32767, -32768, 5};
    sample.bits = 16;
    sample.loop = LoopMode::PingPong;
    sample.loopStart = 2;
    sample.loopLength = 3;
    sample.relativeNote = -12;
    sample.finetune = 2;
    return sample;
}

TEST(XmWriter, HeaderCarriesTheSongSettings) {
    const std::vector<uint8_t> bytes = writeModule(*twoChannelSong(), {sixteenBitLoop()});
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 17), "Extended Module: ");
    EXPECT_EQ(std::string(bytes.begin() + 17, bytes.begin() + 37), "A name longer than t");
    EXPECT_EQ(bytes[37], 0x1A);
    EXPECT_EQ(u16(bytes, 58), 0x0104u);
    EXPECT_EQ(u32(bytes, 60), HEADER_SIZE);
    EXPECT_EQ(u16(bytes, 64), 3u);  // song length
    EXPECT_EQ(u16(bytes, 66), 1u);  // restart position
    EXPECT_EQ(u16(bytes, 68), 2u);  // channels
    EXPECT_EQ(u16(bytes, 70), 2u);  // stored patterns
    EXPECT_EQ(u16(bytes, 72), 1u);  // instruments
    EXPECT_EQ(u16(bytes, 74), 1u);  // linear frequencies
    EXPECT_EQ(u16(bytes, 76), 5u);
    EXPECT_EQ(u16(bytes, 78), 118u);
    EXPECT_EQ(bytes[80], 1);
    EXPECT_EQ(bytes[81], 0);
    EXPECT_EQ(bytes[82], 1);
    EXPECT_EQ(bytes[83], 0);
}

TEST(XmWriter, PacksCellsByMaskOrWhole) {
    const std::vector<Cell> cells = {Cell{}, Cell{49, 1, 0x50, 10, 4}, Cell{KEY_OFF_NOTE, 0, 0, 13, 0},
                                     Cell{0, 0, 0, 0, 0x20}};
    const std::vector<uint8_t> packed = packPattern(cells);
    const std::vector<uint8_t> expected = {0x80,         49, 1,           0x50, 10, 4, 0x80 | 0x01 | 0x08,
                                           KEY_OFF_NOTE, 13, 0x80 | 0x10, 0x20};
    EXPECT_EQ(packed, expected);
}

TEST(XmWriter, PatternRecordsFollowTheHeader) {
    const std::vector<uint8_t> bytes = writeModule(*twoChannelSong(), {sixteenBitLoop()});
    const size_t first = 60 + HEADER_SIZE;
    EXPECT_EQ(u32(bytes, first), PATTERN_HEADER_SIZE);
    EXPECT_EQ(bytes[first + 4], 0);
    EXPECT_EQ(u16(bytes, first + 5), 3u);
    const uint32_t packedSize = u16(bytes, first + 7);
    EXPECT_EQ(packedSize, 5u + 4 + 3);  // one whole cell, four empty ones, one masked cell
    EXPECT_EQ(bytes[first + 9], 49);
    const size_t second = first + 9 + packedSize;
    EXPECT_EQ(u16(bytes, second + 5), 3u);
    EXPECT_EQ(u16(bytes, second + 7), 0u);  // all empty: no cell data at all
}

TEST(XmWriter, UnstoredPatternBelowTheCountIsWrittenEmpty) {
    std::unique_ptr<Song> song = twoChannelSong();
    song->patterns[3] = song->patterns[1];
    song->orders = {3};
    song->restart = 0;
    const std::vector<uint8_t> bytes = writeModule(*song, {sixteenBitLoop()});
    EXPECT_EQ(u16(bytes, 70), 4u);
    size_t at = 60 + HEADER_SIZE;
    for (int pattern = 0; pattern < 2; ++pattern)
        at += 9 + u16(bytes, at + 7);
    EXPECT_EQ(u16(bytes, at + 5), 64u);  // pattern 2: 64 empty rows
    EXPECT_EQ(u16(bytes, at + 7), 0u);
}

size_t instrumentStart(const std::vector<uint8_t>& bytes) {
    size_t at = 60 + HEADER_SIZE;
    for (uint32_t pattern = 0; pattern < u16(bytes, 70); ++pattern)
        at += 9 + u16(bytes, at + 7);
    return at;
}

TEST(XmWriter, InstrumentHeaderHoldsEnvelopeAndVibrato) {
    const std::vector<uint8_t> bytes = writeModule(*twoChannelSong(), {sixteenBitLoop()});
    const size_t at = instrumentStart(bytes);
    EXPECT_EQ(u32(bytes, at), INSTRUMENT_HEADER_SIZE);
    EXPECT_EQ(std::string(bytes.begin() + at + 4, bytes.begin() + at + 8), "bell");
    EXPECT_EQ(u16(bytes, at + 27), 1u);
    EXPECT_EQ(u32(bytes, at + 29), SAMPLE_HEADER_SIZE);
    for (size_t key = 0; key < NOTE_COUNT; ++key)
        EXPECT_EQ(bytes[at + 33 + key], 0);
    EXPECT_EQ(u16(bytes, at + 129 + 4), 8u);   // point 1 tick
    EXPECT_EQ(u16(bytes, at + 129 + 6), 20u);  // point 1 value
    EXPECT_EQ(bytes[at + 225], 3);             // volume points
    EXPECT_EQ(bytes[at + 226], 2);             // panning points
    EXPECT_EQ(u16(bytes, at + 177 + 6), 60u);  // panning point 1 value
    EXPECT_EQ(bytes[at + 231], 0);             // panning loop start
    EXPECT_EQ(bytes[at + 232], 1);             // panning loop end
    EXPECT_EQ(bytes[at + 227], 1);             // sustain point
    EXPECT_EQ(bytes[at + 233], 1 | 2);         // on, sustain, no loop
    EXPECT_EQ(bytes[at + 234], 1 | 4);         // on, loop
    EXPECT_EQ(bytes[at + 237], 3);             // vibrato depth
    EXPECT_EQ(u16(bytes, at + 239), 300u);
}

TEST(XmWriter, SampleHeaderCountsBytesAndDataIsDeltaCoded) {
    const SampleData sample = sixteenBitLoop();
    const std::vector<uint8_t> bytes = writeModule(*twoChannelSong(), {sample});
    const size_t header = instrumentStart(bytes) + INSTRUMENT_HEADER_SIZE;
    EXPECT_EQ(u32(bytes, header), 12u);     // 6 frames of 2 bytes
    EXPECT_EQ(u32(bytes, header + 4), 4u);  // loop start in bytes
    EXPECT_EQ(u32(bytes, header + 8), 6u);  // loop length in bytes
    EXPECT_EQ(bytes[header + 12], 40);
    EXPECT_EQ(static_cast<int8_t>(bytes[header + 13]), 2);
    EXPECT_EQ(bytes[header + 14], 0x10 | 0x02);  // 16-bit, ping-pong
    EXPECT_EQ(bytes[header + 15], 90);
    EXPECT_EQ(static_cast<int8_t>(bytes[header + 16]), -12);
    const size_t data = header + SAMPLE_HEADER_SIZE;
    ASSERT_EQ(bytes.size(), data + 12);
    int16_t sum = 0;
    for (size_t i = 0; i < sample.frames.size(); ++i) {
        sum = static_cast<int16_t>(sum + static_cast<int16_t>(u16(bytes, data + 2 * i)));
        EXPECT_EQ(sum, sample.frames[i]) << i;
    }
}

TEST(XmWriter, EightBitSamplesUseOneByteDeltas) {
    SampleData sample;
    sample.frames = {10, 0, -128, 127};
    sample.bits = 8;
    sample.loop = LoopMode::Forward;
    sample.loopStart = 1;
    sample.loopLength = 3;
    const std::vector<uint8_t> bytes = writeModule(*twoChannelSong(), {sample});
    const size_t header = instrumentStart(bytes) + INSTRUMENT_HEADER_SIZE;
    EXPECT_EQ(u32(bytes, header), 4u);
    EXPECT_EQ(u32(bytes, header + 4), 1u);
    EXPECT_EQ(u32(bytes, header + 8), 3u);
    EXPECT_EQ(bytes[header + 14], 0x01);
    const std::vector<uint8_t> data(bytes.begin() + header + SAMPLE_HEADER_SIZE, bytes.end());
    EXPECT_EQ(data, (std::vector<uint8_t>{10, 246, 128, 255}));
}

}  // namespace
}  // namespace xmcompose
