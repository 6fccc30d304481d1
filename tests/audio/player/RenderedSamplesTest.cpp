// The music player's output, pinned bit for bit: the game's music, the benchmark songs, modules built
// in code and (where ../shared/xm-testdata exists) the reference modules are rendered at fixed rates
// and their float mix and 16-bit samples hashed. The hashes were recorded from the mixer before it
// was reworked for speed; a faster mixer must not change a single sample. On a mismatch the message
// names the module and the hashes it now renders.
#include <gtest/gtest.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "audio/player/Mixer.h"
#include "audio/player/ModuleLoader.h"
#include "audio/player/Playback.h"
#include "audio/player/VoiceRender.h"
#include "tests/audio/player/FeatureModules.h"
#include "tests/audio/player/PinnedRender.h"
#include "tests/audio/player/XmBuilder.h"

namespace {

inline constexpr std::uint64_t FNV_OFFSET = 0xcbf29ce484222325ULL;
inline constexpr std::uint64_t FNV_PRIME = 0x100000001b3ULL;

void HashBytes(std::uint64_t& hash, const std::uint8_t* bytes, std::size_t count) {
    for (std::size_t index = 0; index < count; ++index) {
        hash ^= bytes[index];
        hash *= FNV_PRIME;
    }
}

void HashFloats(std::uint64_t& hash, const std::vector<float>& values) {
    for (const float value : values) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                                       static_cast<std::uint8_t>(bits >> 16),
                                       static_cast<std::uint8_t>(bits >> 24)};
        HashBytes(hash, bytes, sizeof bytes);
    }
}

void HashSamples(std::uint64_t& hash, const std::vector<std::int16_t>& values) {
    for (const std::int16_t value : values) {
        const auto bits = static_cast<std::uint16_t>(value);
        const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8)};
        HashBytes(hash, bytes, sizeof bytes);
    }
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

std::string Describe(const PinnedRender& pinned, const RenderHashes& actual) {
    char text[200];
    std::snprintf(text, sizeof text, "{\"%s\", %d, %d, {0x%016" PRIx64 "ULL, 0x%016" PRIx64 "ULL}},",
                  pinned.name, pinned.rate, pinned.seconds, actual.mix, actual.pcm);
    return text;
}

void ExpectPinned(Module& module, const PinnedRender& pinned) {
    const RenderHashes actual = RenderAndHash(module, pinned.rate, pinned.seconds);
    EXPECT_TRUE(actual.mix == pinned.hashes.mix && actual.pcm == pinned.hashes.pcm)
        << "renders differently now: " << Describe(pinned, actual);
}

void ExpectFilePinned(const std::filesystem::path& folder, const PinnedRender& pinned) {
    const std::vector<std::uint8_t> bytes = ReadFile(folder / pinned.name);
    ASSERT_FALSE(bytes.empty()) << (folder / pinned.name);
    std::unique_ptr<Module> module = LoadBytes(bytes);
    ASSERT_NE(module, nullptr) << pinned.name;
    ExpectPinned(*module, pinned);
}

// The game's music and the benchmark songs, in the repository.
const PinnedRender COMMITTED_RENDERS[] = {
    {"VESKAR.DAT", 44100, 150, {0xc4c603c2154e143dULL, 0x22d5e33bcdb3286cULL}},
    {"VESKAR.DAT", 48000, 20, {0x37f97a8a65668587ULL, 0x61db7d516fd93387ULL}},
    {"VESKAR.DAT", 22050, 20, {0xa153d6f03ce1b109ULL, 0x8c702d40c807dcb1ULL}},
    {"wall32.xm", 44100, 30, {0x2ab45e75af4f7691ULL, 0x156bc71f799e0a65ULL}},
    {"drive16.xm", 44100, 30, {0xa61c3acb9d880e71ULL, 0x8b2957448dae8d05ULL}},
    {"chip12.xm", 44100, 30, {0x9a2df7ab8e3d604cULL, 0xab537aac8a58c4feULL}},
    {"chip12.xm", 8000, 20, {0x31078c446d81934eULL, 0x2ab1832982232282ULL}},
    {"strings24.xm", 44100, 30, {0x89d405bbdf26f57fULL, 0x244bfc9ab0f91c08ULL}},
    {"strings24.xm", 96000, 10, {0x90ba0bc69fdf8465ULL, 0x3ac6aad7be8c6ae7ULL}},
    {"pulse16.xm", 44100, 30, {0x5b5c3d0f1a9d130bULL, 0xf322c9c560f91284ULL}},
};

// The modules built in code that use every effect, volume command, envelope kind and loop kind.
const PinnedRender FEATURE_RENDERS[] = {
    {"effects-linear", 44100, 10, {0x54819793896645a0ULL, 0x889749b7671f9da4ULL}},
    {"effects-amiga", 44100, 10, {0x66d58be8e51d232dULL, 0x3742a2e67e84cf25ULL}},
    {"notes-and-loops", 44100, 10, {0x57b4bcd0ec55dc95ULL, 0x852ec5352ec83ba0ULL}},
    {"notes-and-loops", 11025, 10, {0xd4bb25799d7021aeULL, 0x0ad220da3955a0e7ULL}},
    {"notes-and-loops", 192000, 5, {0x17cf77751168464eULL, 0xfd941b4c3993fdeeULL}},
};

std::filesystem::path FolderOf(const std::string& name) {
    if (name == "VESKAR.DAT") {
        return std::filesystem::path(VESKAR_DAT_PATH).parent_path();
    }
    return BENCH_SONGS_DIR;
}

}  // namespace

RenderHashes RenderAndHash(Module& module, std::int32_t rate, std::int32_t seconds) {
    const std::int32_t blockFrames = BlockFramesAt(rate);
    if (blockFrames == 0 || !PreparePlayback(module, rate)) {
        return {};
    }
    RenderHashes hashes{FNV_OFFSET, FNV_OFFSET};
    std::vector<float> mix(static_cast<std::size_t>(blockFrames) * 2);
    std::vector<std::int16_t> pcm(mix.size());
    const std::int64_t frames = std::int64_t{rate} * seconds;
    for (std::int64_t done = 0; done < frames; done += blockFrames) {
        std::fill(mix.begin(), mix.end(), 0.0f);
        MixModule(module, mix.data(), blockFrames);
        ConvertToPcm(pcm.data(), mix.data(), blockFrames);
        HashFloats(hashes.mix, mix);
        HashSamples(hashes.pcm, pcm);
    }
    return hashes;
}

TEST(RenderedSamples, CommittedMusicAndBenchmarkSongsRenderAsPinned) {
    for (const PinnedRender& pinned : COMMITTED_RENDERS) {
        SCOPED_TRACE(pinned.name);
        ExpectFilePinned(FolderOf(pinned.name), pinned);
    }
}

TEST(RenderedSamples, ModulesBuiltInCodeRenderAsPinned) {
    const std::vector<NamedDesign> designs = FeatureDesigns();
    for (const PinnedRender& pinned : FEATURE_RENDERS) {
        SCOPED_TRACE(pinned.name);
        const auto design = std::find_if(designs.begin(), designs.end(), [&](const NamedDesign& named) {
            return std::string(named.name) == pinned.name;
        });
        ASSERT_NE(design, designs.end());
        std::unique_ptr<Module> module = LoadBytes(BuildXm(design->design));
        ASSERT_NE(module, nullptr);
        ExpectPinned(*module, pinned);
    }
}

// Each processor renders with the widest loops it has; the narrower ones must render the same.
TEST(RenderedSamples, EveryInnerLoopTheProcessorHasRendersAsPinned) {
    const std::vector<NamedDesign> designs = FeatureDesigns();
    for (const MixerLoops loops : {MixerLoops::Portable, MixerLoops::Avx2, MixerLoops::Avx512}) {
        if (!UseMixerLoops(loops)) {
            continue;
        }
        SCOPED_TRACE(static_cast<int>(loops));
        for (const PinnedRender& pinned : COMMITTED_RENDERS) {
            ExpectFilePinned(FolderOf(pinned.name), pinned);
        }
        for (const NamedDesign& named : designs) {
            const auto pinned = std::find_if(
                std::begin(FEATURE_RENDERS), std::end(FEATURE_RENDERS),
                [&](const PinnedRender& render) { return render.name == std::string(named.name); });
            ASSERT_NE(pinned, std::end(FEATURE_RENDERS));
            std::unique_ptr<Module> module = LoadBytes(BuildXm(named.design));
            ASSERT_NE(module, nullptr);
            ExpectPinned(*module, *pinned);
        }
    }
    // Back to the widest.
    EXPECT_TRUE(UseMixerLoops(MixerLoops::Avx512) || UseMixerLoops(MixerLoops::Avx2) ||
                UseMixerLoops(MixerLoops::Portable));
}

TEST(RenderedSamples, ReferenceModulesRenderAsPinned) {
    const std::filesystem::path folder(XM_TESTDATA_DIR);
    if (!std::filesystem::is_directory(folder)) {
        GTEST_SKIP() << "the reference modules are not here: no folder " << XM_TESTDATA_DIR;
    }
    int rendered = 0;
    for (const PinnedRender& pinned : ReferenceModuleRenders()) {
        if (!std::filesystem::exists(folder / pinned.name)) {
            continue;  // a module the folder no longer has
        }
        SCOPED_TRACE(pinned.name);
        ExpectFilePinned(folder, pinned);
        ++rendered;
    }
    EXPECT_GT(rendered, 0);
}

TEST(RenderedSamples, HashesTellRendersApart) {
    // The same module rendered again from a fresh load hashes alike; at another rate or for another
    // length it must not, or the pins prove nothing.
    const std::vector<std::uint8_t> bytes = BuildXm(FeatureDesigns().front().design);
    const auto render = [&](std::int32_t rate, std::int32_t seconds) {
        std::unique_ptr<Module> module = LoadBytes(bytes);
        return module != nullptr ? RenderAndHash(*module, rate, seconds) : RenderHashes{};
    };
    const RenderHashes first = render(44100, 2);
    const RenderHashes again = render(44100, 2);
    const RenderHashes longer = render(44100, 3);
    const RenderHashes otherRate = render(48000, 2);
    EXPECT_NE(first.pcm, 0u);
    EXPECT_EQ(first.mix, again.mix);
    EXPECT_EQ(first.pcm, again.pcm);
    EXPECT_NE(first.pcm, longer.pcm);
    EXPECT_NE(first.pcm, otherRate.pcm);
    EXPECT_NE(first.mix, first.pcm);
    EXPECT_EQ(render(0, 2).mix, 0u);
}
