// Every reference module loads or is rejected cleanly, and damaged copies of them (cut at every byte,
// random bytes flipped) never make the loader, replayer or mixer misbehave. Run under AddressSanitizer.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "audio/player/MemoryFile.h"
#include "audio/player/ModuleLoader.h"
#include "audio/player/OfflineRenderer.h"
#include "tests/audio/player/XmBuilder.h"

namespace {

std::vector<std::filesystem::path> ReferenceModules() {
    std::vector<std::filesystem::path> paths;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(XM_TESTDATA_DIR, error)) {
        if (entry.path().extension() == ".xm")
            paths.push_back(entry.path());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

// The promises the loader makes to the replayer and mixer.
void ExpectPlayableModel(const Module& module) {
    ASSERT_GE(module.channelCount, 1);
    ASSERT_LE(module.channelCount, MAX_CHANNELS);
    ASSERT_GE(module.songLength, 1);
    ASSERT_LE(module.songLength, ORDER_TABLE_SIZE);
    ASSERT_LT(module.restartPosition, module.songLength);
    ASSERT_EQ(static_cast<std::int32_t>(module.patterns.size()), module.patternCount);
    for (int order = 0; order < module.songLength; ++order)
        ASSERT_LT(module.orderTable[order], module.patternCount);
    for (const Pattern& pattern : module.patterns) {
        ASSERT_GE(pattern.rows, 0);
        ASSERT_LE(pattern.rows, MAX_ROWS);
        if (!pattern.cells.empty()) {
            ASSERT_EQ(pattern.cells.size(), static_cast<std::size_t>(pattern.rows) * module.channelCount);
        }
    }
    for (const Instrument& instrument : module.instruments) {
        ASSERT_LE(instrument.volumePointCount, MAX_ENVELOPE_POINTS);
        for (const Sample* sample : instrument.samples) {
            ASSERT_NE(sample, nullptr);
            ASSERT_LE(std::uint64_t{sample->loopStart} + sample->loopLength, sample->length);
            if (sample->length > 0) {
                ASSERT_GE(sample->data.size(), std::size_t{sample->length} + SAMPLE_GUARD_FRAMES);
            }
        }
    }
}

// Loads bytes and, when accepted, plays blocks blocks of it.
void LoadAndPlay(const std::vector<std::uint8_t>& bytes, int blocks) {
    auto module = LoadBytes(bytes);
    if (module == nullptr)
        return;
    ExpectPlayableModel(*module);
    OfflineRenderer renderer;
    ASSERT_TRUE(renderer.begin(*module, 44100));
    for (int block = 0; block < blocks; ++block)
        (void)renderer.next();
}

}  // namespace

TEST(ModuleRobustness, EveryReferenceModuleLoadsOrIsRejectedCleanly) {
    const auto paths = ReferenceModules();
    ASSERT_GE(paths.size(), 100u) << "reference modules missing from " << XM_TESTDATA_DIR;
    int loaded = 0;
    for (const auto& path : paths) {
        SCOPED_TRACE(path.filename().string());
        auto module = LoadBytes(ReadFile(path));
        if (module == nullptr)
            continue;
        ++loaded;
        ExpectPlayableModel(*module);
        OfflineRenderer renderer;
        ASSERT_TRUE(renderer.begin(*module, 44100));
        for (int block = 0; block < 250; ++block)
            (void)renderer.next();  // 5 s
    }
    // Only the deliberately broken files and a file of another format are refused.
    EXPECT_GE(loaded, static_cast<int>(paths.size()) - 4);
}

TEST(ModuleRobustness, TheMemoryFileLoadsTheReferenceModulesFromDisk) {
    InstallMemoryFileOps();
    const auto paths = ReferenceModules();
    ASSERT_FALSE(paths.empty());
    auto module = CreateModule(paths.front().string().c_str(), nullptr);
    EXPECT_NE(module, nullptr);
}

TEST(ModuleRobustness, ModulesCutAtEveryByteLoadOrAreRejected) {
    for (const char* name : {"data_test.xm", "data_ft2_delay_envelope_sustain.xm", "data_bidi_sync.xm"}) {
        SCOPED_TRACE(name);
        const std::vector<std::uint8_t> whole = ReadFile(std::filesystem::path(XM_TESTDATA_DIR) / name);
        ASSERT_FALSE(whole.empty());
        for (std::size_t length = 0; length <= whole.size(); ++length) {
            LoadAndPlay(
                std::vector<std::uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)),
                3);
        }
    }
}

TEST(ModuleRobustness, ModulesWithRandomBytesFlippedPlaySafely) {
    std::mt19937 random(20261207);
    std::vector<std::vector<std::uint8_t>> originals;
    for (const auto& path : ReferenceModules()) {
        // The small ones: more trials in the same time.
        if (std::filesystem::file_size(path) <= 16384)
            originals.push_back(ReadFile(path));
    }
    ASSERT_FALSE(originals.empty());
    for (int trial = 0; trial < 2000; ++trial) {
        std::vector<std::uint8_t> bytes = originals[random() % originals.size()];
        if (bytes.empty())
            continue;
        const int flips = 1 + static_cast<int>(random() % 8);
        for (int flip = 0; flip < flips; ++flip) {
            // Headers hold the counts and sizes: aim half of the flips at the first 400 bytes.
            const std::size_t range =
                (random() % 2 == 0) ? std::min<std::size_t>(400, bytes.size()) : bytes.size();
            bytes[random() % range] = static_cast<std::uint8_t>(random());
        }
        SCOPED_TRACE(trial);
        LoadAndPlay(bytes, 10);
    }
}
