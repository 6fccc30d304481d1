// The project's own modules (the game's music and the feature modules built in code) load and play,
// and damaged copies of them (cut at every byte, random bytes flipped) never make the loader, replayer
// or mixer misbehave. Run under AddressSanitizer and UndefinedBehaviorSanitizer as well.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "audio/player/MemoryFile.h"
#include "audio/player/ModuleLoader.h"
#include "audio/player/OfflineRenderer.h"
#include "tests/audio/player/FeatureModules.h"
#include "tests/audio/player/PlayableModel.h"
#include "tests/audio/player/XmBuilder.h"

namespace {

std::vector<std::uint8_t> ReadFile(const char* path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

// The game's music, then the feature modules.
std::vector<std::vector<std::uint8_t>> ProjectModules() {
    std::vector<std::vector<std::uint8_t>> modules{ReadFile(VESKAR_DAT_PATH)};
    for (const NamedDesign& design : FeatureDesigns())
        modules.push_back(BuildXm(design.design));
    return modules;
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

TEST(ModuleRobustness, ProjectModulesLoadAndPlay) {
    for (const std::vector<std::uint8_t>& bytes : ProjectModules()) {
        ASSERT_FALSE(bytes.empty());
        auto module = LoadBytes(bytes);
        ASSERT_NE(module, nullptr);
        ExpectPlayableModel(*module);
        OfflineRenderer renderer;
        ASSERT_TRUE(renderer.begin(*module, 44100));
        for (int block = 0; block < 250; ++block)
            (void)renderer.next();  // 5 s
    }
}

TEST(ModuleRobustness, TheMemoryFileLoadsTheMusicFromDisk) {
    InstallMemoryFileOps();
    EXPECT_NE(CreateModule(VESKAR_DAT_PATH, nullptr), nullptr);
}

TEST(ModuleRobustness, ModulesCutAtEveryByteLoadOrAreRejected) {
    const std::vector<std::vector<std::uint8_t>> modules = ProjectModules();
    for (const std::vector<std::uint8_t>& whole : modules) {
        // Every byte through the music's headers and patterns; past them, every 97th byte of its samples.
        const std::size_t everyByteUpTo = std::min<std::size_t>(whole.size(), 13100);
        for (std::size_t length = 0; length <= whole.size(); length += length < everyByteUpTo ? 1 : 97) {
            SCOPED_TRACE(length);
            LoadAndPlay(
                std::vector<std::uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)),
                3);
        }
    }
}

TEST(ModuleRobustness, ModulesWithRandomBytesFlippedPlaySafely) {
    std::mt19937 random(20261207);
    const std::vector<std::vector<std::uint8_t>> originals = ProjectModules();
    for (int trial = 0; trial < 2000; ++trial) {
        // The small feature modules most of the time: more trials in the same time.
        std::vector<std::uint8_t> bytes =
            originals[trial % 8 == 0 ? 0 : 1 + random() % (originals.size() - 1)];
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
