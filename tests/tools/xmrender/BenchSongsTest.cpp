// The benchmark songs of tools/xmrender/bench-songs: each source rebuilds its committed module byte
// for byte, and each song is as dense as the benchmark needs (many channels, long loops, both sample
// kinds, slides and envelopes), so that the speed figures come from work like a real song's.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>

#include "tools/xmcompose/Compose.h"
#include "tools/xmcompose/SongParser.h"

namespace {

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::filesystem::path> SongSources() {
    std::vector<std::filesystem::path> sources;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(BENCH_SONGS_DIR, error)) {
        if (entry.path().extension() == ".song")
            sources.push_back(entry.path());
    }
    std::sort(sources.begin(), sources.end());
    return sources;
}

std::unique_ptr<xmcompose::Song> Parse(const std::filesystem::path& source) {
    auto song = std::make_unique<xmcompose::Song>();
    xmcompose::SongParser parser;
    EXPECT_TRUE(parser.parse(ReadText(source), *song)) << source << ": " << parser.error();
    return song;
}

// Frames of the sample's loop, as xmcompose lays it out (a ping-pong loop covers half the period).
int LoopFrames(const xmcompose::InstrumentDesign& design) {
    const int period = design.loopCycles * design.cycle;
    return design.loop == xmcompose::LoopMode::PingPong ? period / 2 : period;
}

// Volume-column commands (0x60.. slides, 0xC0.. panning, 0xD0/0xE0 pan slides) and effects used.
struct Usage {
    std::set<int> volumeCommands;  // high nibble of the volume byte, 6..15
    std::set<int> effects;
};

Usage UsageOf(const xmcompose::Song& song) {
    Usage usage;
    for (const int entry : song.orders) {
        for (const xmcompose::Cell& cell : song.patterns[entry].cells) {
            if (cell.volume >= 0x60)
                usage.volumeCommands.insert(cell.volume >> 4);
            if (cell.effect != 0 || cell.parameter != 0)
                usage.effects.insert(cell.effect);
        }
    }
    return usage;
}

}  // namespace

TEST(BenchSongs, ThereAreThreeToFive) {
    const std::size_t count = SongSources().size();
    EXPECT_GE(count, 3u);
    EXPECT_LE(count, 5u);
}

TEST(BenchSongs, EachSourceRebuildsItsCommittedModule) {
    for (const std::filesystem::path& source : SongSources()) {
        SCOPED_TRACE(source.filename().string());
        std::vector<std::uint8_t> module;
        std::string error;
        ASSERT_TRUE(xmcompose::composeModule(ReadText(source), module, error)) << error;
        std::filesystem::path committed = source;
        committed.replace_extension(".xm");
        const std::string file = ReadText(committed);
        EXPECT_TRUE(std::vector<std::uint8_t>(file.begin(), file.end()) == module)
            << "rebuild with: cmake --build BUILD --target bench-songs";
    }
}

TEST(BenchSongs, EachIsDenseWithLongLoopsAndBothSampleKinds) {
    for (const std::filesystem::path& source : SongSources()) {
        SCOPED_TRACE(source.filename().string());
        const std::unique_ptr<xmcompose::Song> song = Parse(source);
        EXPECT_GE(song->channels, 8);
        EXPECT_LE(song->channels, 32);
        std::set<int> bits;
        int longestLoop = 0;
        bool envelopes = false;
        for (const xmcompose::InstrumentDesign& design : song->instruments) {
            if (!design.defined)
                continue;
            bits.insert(design.bits);
            if (design.loop != xmcompose::LoopMode::None)
                longestLoop = std::max(longestLoop, LoopFrames(design));
            envelopes =
                envelopes || !design.volumeEnvelope.points.empty() || !design.panningEnvelope.points.empty();
        }
        EXPECT_EQ(bits, (std::set<int>{8, 16}));
        EXPECT_TRUE(envelopes);
        // The chip-style song plays tiny loops; every other song has loops of thousands of frames.
        if (source.stem() != "chip12") {
            EXPECT_GE(longestLoop, 8192);
        }
    }
}

TEST(BenchSongs, EachSlidesVolumeAndPanning) {
    for (const std::filesystem::path& source : SongSources()) {
        SCOPED_TRACE(source.filename().string());
        const Usage usage = UsageOf(*Parse(source));
        const bool volumeSlides =
            usage.effects.count(10) || usage.volumeCommands.count(6) || usage.volumeCommands.count(7);
        const bool panningMoves = usage.effects.count(25) || usage.effects.count(8) ||
                                  usage.volumeCommands.count(12) || usage.volumeCommands.count(13) ||
                                  usage.volumeCommands.count(14);
        EXPECT_TRUE(volumeSlides);
        EXPECT_TRUE(panningMoves);
    }
}
