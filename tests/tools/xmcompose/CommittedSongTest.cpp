// The committed music: veskar.song rebuilds VESKAR.DAT byte for byte, and the song keeps the
// promises made for the game's music (length, channels, sample kinds, effects).
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>

#include "tools/xmcompose/Compose.h"
#include "tools/xmcompose/SongParser.h"

namespace xmcompose {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

const std::string SOURCE = std::string(VESKAR_MUSIC_DIR) + "/veskar.song";
const std::string MODULE = std::string(VESKAR_MUSIC_DIR) + "/VESKAR.DAT";

std::unique_ptr<Song> committedSong() {
    auto song = std::make_unique<Song>();
    SongParser parser;
    EXPECT_TRUE(parser.parse(readFile(SOURCE), *song)) << parser.error();
    return song;
}

TEST(CommittedSong, SourceRebuildsTheCommittedModule) {
    const std::string text = readFile(SOURCE);
    ASSERT_FALSE(text.empty()) << SOURCE;
    std::vector<uint8_t> module;
    std::string error;
    ASSERT_TRUE(composeModule(text, module, error)) << error;
    const std::string file = readFile(MODULE);
    const std::vector<uint8_t> committed(file.begin(), file.end());
    ASSERT_EQ(committed.size(), module.size());
    EXPECT_TRUE(committed == module) << "rebuild with: xmcompose veskar.song VESKAR.DAT";
}

// Seconds from the start until the song would continue from the restart position, following
// speed, BPM and pattern-break changes (the only flow effects the song uses).
double firstPassSeconds(const Song& song) {
    double seconds = 0.0;
    int speed = song.speed;
    int bpm = song.bpm;
    int startRow = 0;
    for (const int entry : song.orders) {
        const Pattern& pattern = song.patterns[entry];
        int next = 0;
        for (int row = startRow; row < pattern.rows && next == 0; ++row) {
            for (int channel = 0; channel < song.channels; ++channel) {
                const Cell& cell = pattern.cells[row * song.channels + channel];
                if (cell.effect == 15 && cell.parameter > 0)
                    (cell.parameter < 32 ? speed : bpm) = cell.parameter;
                if (cell.effect == 13)
                    next = 1 + (cell.parameter >> 4) * 10 + (cell.parameter & 15);
                EXPECT_NE(cell.effect, 11) << "position jumps would need a fuller timeline";
            }
            seconds += speed * 2.5 / bpm;
        }
        startRow = next > 0 ? next - 1 : 0;
    }
    return seconds;
}

TEST(CommittedSong, PlaysBetweenOneAndThreeMinutesBeforeItRepeats) {
    const std::unique_ptr<Song> song = committedSong();
    const double seconds = firstPassSeconds(*song);
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 180.0);
    EXPECT_GT(song->restart, 0) << "the intro plays once";
}

TEST(CommittedSong, UsesEnoughChannelsAndBothSampleKinds) {
    const std::unique_ptr<Song> song = committedSong();
    EXPECT_GE(song->channels, 8);
    std::set<int> bits;
    std::set<LoopMode> loops;
    bool sustain = false;
    for (const InstrumentDesign& design : song->instruments) {
        if (!design.defined)
            continue;
        bits.insert(design.bits);
        loops.insert(design.loop);
        sustain = sustain || (design.volumeEnvelope.points.size() >= 2 && design.volumeEnvelope.sustain >= 0);
    }
    EXPECT_EQ(bits, (std::set<int>{8, 16}));
    EXPECT_TRUE(loops.count(LoopMode::Forward));
    EXPECT_TRUE(loops.count(LoopMode::PingPong));
    EXPECT_TRUE(sustain);
}

TEST(CommittedSong, UsesTheMelodicAndFlowEffects) {
    const std::unique_ptr<Song> song = committedSong();
    std::set<int> effects;  // effect number, or 0xE0 + sub-effect
    for (const int entry : song->orders) {
        for (const Cell& cell : song->patterns[entry].cells) {
            if (cell.effect == 0 && cell.parameter == 0)
                continue;
            effects.insert(cell.effect == 14 ? 0xE0 + (cell.parameter >> 4) : cell.effect);
        }
    }
    for (const int effect : {0, 1, 2, 3, 4, 10, 13, 15})
        EXPECT_TRUE(effects.count(effect)) << effect;
    EXPECT_TRUE(effects.count(0xED) || effects.count(0xE9) || effects.count(27));
}

}  // namespace
}  // namespace xmcompose
