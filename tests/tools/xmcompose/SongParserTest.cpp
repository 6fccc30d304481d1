// Reading the song notation: settings, recipes, rows, and the errors that name their line.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tools/xmcompose/SongParser.h"

namespace xmcompose {
namespace {

const std::string SETTINGS =
    "song\n"
    "  name \"Tiny tune\"   ; a comment\n"
    "  channels 2\n"
    "  speed 5\n"
    "  bpm 120\n"
    "  order 0 1 0\n"
    "  restart 1\n";

const std::string BELL =
    "instrument 1 \"bell\"\n"
    "  bits 8\n"
    "  cycle 32\n"
    "  body 256\n"
    "  loop forward\n"
    "  loopcycles 4\n"
    "  partial ratio 1 amp 1\n"
    "  fm ratio 1 mod 2 index 1.5 amp 0.5 decay 0.2 indexdecay 0.1\n"
    "  volume 40\n"
    "  panning 100\n"
    "  fadeout 512\n"
    "  volenv 0:64 10:32 20:0\n"
    "  volsustain 1\n"
    "  vibrato 0 20 3 8\n"
    "  panenv 0:32 20:48 40:16\n"
    "  panloop 0 2\n";

const std::string PATTERNS =
    "pattern 0 rows 16\n"
    "00 | C-4 01 40 ... | ... .. .. F70\n"
    "04 | === .. .. ... | D-5 01 -2 A01\n"
    "pattern 1 rows 8\n"
    "07 | ... .. .. D00 | ... .. .. ...\n";

struct Parsed {
    std::unique_ptr<Song> song = std::make_unique<Song>();
    bool ok = false;
    std::string error;
};

Parsed parse(const std::string& text) {
    Parsed result;
    SongParser parser;
    result.ok = parser.parse(text, *result.song);
    result.error = parser.error();
    return result;
}

TEST(SongParser, ReadsTheSongSettings) {
    const Parsed parsed = parse(SETTINGS + BELL + PATTERNS);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    const Song& song = *parsed.song;
    EXPECT_EQ(song.name, "Tiny tune");
    EXPECT_EQ(song.channels, 2);
    EXPECT_EQ(song.speed, 5);
    EXPECT_EQ(song.bpm, 120);
    EXPECT_EQ(song.orders, (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(song.restart, 1);
    EXPECT_EQ(song.patternCount(), 2);
    EXPECT_EQ(song.instrumentCount(), 1);
}

TEST(SongParser, ReadsAnInstrumentRecipe) {
    const Parsed parsed = parse(SETTINGS + BELL + PATTERNS);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    const InstrumentDesign& bell = parsed.song->instruments[1];
    EXPECT_EQ(bell.name, "bell");
    EXPECT_EQ(bell.bits, 8);
    EXPECT_EQ(bell.cycle, 32);
    EXPECT_EQ(bell.loop, LoopMode::Forward);
    EXPECT_EQ(bell.loopCycles, 4);
    ASSERT_EQ(bell.sources.size(), 2u);
    EXPECT_EQ(bell.sources[1].kind, SourceKind::Fm);
    EXPECT_DOUBLE_EQ(bell.sources[1].modulator, 2.0);
    EXPECT_DOUBLE_EQ(bell.sources[1].index, 1.5);
    EXPECT_DOUBLE_EQ(bell.sources[1].indexDecay, 0.1);
    EXPECT_EQ(bell.volume, 40);
    EXPECT_EQ(bell.panning, 100);
    EXPECT_EQ(bell.fadeout, 512);
    ASSERT_EQ(bell.volumeEnvelope.points.size(), 3u);
    EXPECT_EQ(bell.volumeEnvelope.points[1].tick, 10);
    EXPECT_EQ(bell.volumeEnvelope.points[1].value, 32);
    EXPECT_EQ(bell.volumeEnvelope.sustain, 1);
    ASSERT_EQ(bell.panningEnvelope.points.size(), 3u);
    EXPECT_EQ(bell.panningEnvelope.points[2].value, 16);
    EXPECT_EQ(bell.panningEnvelope.loopStart, 0);
    EXPECT_EQ(bell.panningEnvelope.loopEnd, 2);
    EXPECT_EQ(bell.panningEnvelope.sustain, -1);
    EXPECT_EQ(bell.vibratoSweep, 20);
    EXPECT_EQ(bell.vibratoDepth, 3);
    EXPECT_EQ(bell.vibratoRate, 8);
}

TEST(SongParser, PlacesRowsByNumberAndLeavesTheRestEmpty) {
    const Parsed parsed = parse(SETTINGS + BELL + PATTERNS);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    const Pattern& pattern = parsed.song->patterns[0];
    ASSERT_EQ(pattern.rows, 16);
    ASSERT_EQ(pattern.cells.size(), 32u);
    EXPECT_EQ(pattern.cells[0].note, 49);
    EXPECT_EQ(pattern.cells[1].effect, 15);
    EXPECT_EQ(pattern.cells[4 * 2].note, KEY_OFF_NOTE);
    EXPECT_EQ(pattern.cells[4 * 2 + 1].volume, 0x62);
    int filled = 0;
    for (const Cell& cell : pattern.cells)
        filled += cell.empty() ? 0 : 1;
    EXPECT_EQ(filled, 4);
    EXPECT_EQ(parsed.song->patterns[1].cells[7 * 2].effect, 13);
}

void expectError(const std::string& text, const std::string& expected) {
    const Parsed parsed = parse(text);
    EXPECT_FALSE(parsed.ok);
    EXPECT_NE(parsed.error.find(expected), std::string::npos) << "got: " << parsed.error;
}

TEST(SongParser, NamesTheLineOfAnError) {
    expectError(SETTINGS + "  tempo 3\n", "line 8: unknown song key");
    expectError(SETTINGS + BELL + "  shimmer 3\n", "line 24: unknown instrument key");
    expectError(SETTINGS + BELL + "pattern 0 rows 4\n00 | C-9 01 .. ... | ... .. .. ...\n",
                "line 25: channel 1");
}

TEST(SongParser, RejectsMalformedRows) {
    const std::string head = SETTINGS + BELL + "pattern 0 rows 4\npattern 1 rows 4\n";
    expectError(head + "00 | ... .. .. ...\n", "too few cells");
    expectError(head + "00 | ... .. .. ... | ... .. .. ... | ... .. .. ...\n", "too many cells");
    expectError(head + "04 | ... .. .. ... | ... .. .. ...\n", "row starts with its number 0..3");
    expectError(head + "01 | C-4 .. .. ... | ... .. .. ...\n01 | D-4 .. .. ... | ... .. .. ...\n",
                "given twice");
}

TEST(SongParser, RejectsAnInconsistentSong) {
    expectError("song\n  channels 2\n  restart 0\n", "needs an order list");
    expectError(SETTINGS + BELL + "pattern 0 rows 4\n", "order names pattern 1");
    expectError("song\n  order 0\n  restart 1\npattern 0 rows 4\n", "restart is past");
    expectError("song\n  channels 1\n  order 0\npattern 0 rows 4\n00 | C-4 02 .. ...\n", "uses instrument 2");
    expectError("song\n  order 0\npattern 0 rows 4\nsong\n  channels 4\n", "channels must come before");
    expectError("song\n  channels 33\n", "channels are 1..32");
    expectError("song\n  bpm 20\n", "bpm is 32..255");
}

TEST(SongParser, RejectsRecipesThatCannotLoopOrPlay) {
    const std::string song = "song\n  order 0\npattern 0 rows 1\n";
    expectError(song + "instrument 1 \"a\"\n  loop forward\n  loopcycles 2\n  body 64\n  noise amp 1\n",
                "only partial and fm");
    expectError(song + "instrument 1 \"a\"\n  loop forward\n  body 64\n  partial ratio 1\n",
                "needs loopcycles");
    expectError(song + "instrument 1 \"a\"\n  body 8\n  partial ratio 1\n", "body of at least 16");
    expectError(song + "instrument 1 \"a\"\n  body 64\n", "at least one source");
    expectError(song + "instrument 1 \"a\"\n  body 64\n  partial ratio 1\n  volenv 0:0 10:64 5:0\n",
                "ticks must increase");
    expectError(
        song + "instrument 1 \"a\"\n  body 64\n  partial ratio 1\n  volenv 0:0 10:64\n  volsustain 2\n",
        "sustain/loop");
    expectError(song + "instrument 1 \"a\"\n  body 64\n  partial ratio 1 amp -1\n", "bad source field");
    expectError(song + "instrument 1 \"a\"\n  bits 12\n", "bits are 8 or 16");
    expectError(song + "instrument 1 \"a\"\n  body 64\n  cycle 4096\n  transpose 48\n  partial ratio 1\n",
                "outside -96..95");
}

}  // namespace
}  // namespace xmcompose
