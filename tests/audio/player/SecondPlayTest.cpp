// A module started again plays exactly as it did the first time: whatever a play changes (channel
// memories, voices, samples' finetunes set by E5y, the tempo) is put back by the start, so a second
// play, like each pass of xmrender --bench, renders the same samples as a freshly loaded module.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "audio/player/Playback.h"
#include "tests/audio/player/FeatureModules.h"
#include "tests/audio/player/PinnedRender.h"
#include "tests/audio/player/XmBuilder.h"

namespace {

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

// Plays the module twice from its start, and once more at another rate and back, and expects the
// same samples each time at the same rate.
void ExpectPlaysAlike(const std::vector<std::uint8_t>& bytes, std::int32_t seconds) {
    std::unique_ptr<Module> module = LoadBytes(bytes);
    ASSERT_NE(module, nullptr);
    const RenderHashes first = RenderAndHash(*module, 44100, seconds);
    const RenderHashes second = RenderAndHash(*module, 44100, seconds);
    EXPECT_EQ(first.mix, second.mix);
    EXPECT_EQ(first.pcm, second.pcm);
    (void)RenderAndHash(*module, 22050, seconds);
    const RenderHashes third = RenderAndHash(*module, 44100, seconds);
    EXPECT_EQ(first.pcm, third.pcm);
}

// A sample whose finetune E5y changes in the middle of the song: a second play must start from the
// finetune the file gave, as a fresh load does.
XmDesign FinetuneDesign() {
    XmDesign design = SimpleDesign(2);
    design.flags = 0;  // Amiga periods: the finetune moves the pitch by less than a note
    XmSampleDesign& sample = design.instruments[0].samples[0];
    sample.type = 1;  // a forward loop over the whole sample, so that every note holds
    sample.loopLength = sample.length;
    design.patterns[0].rows = 48;
    std::vector<PatternCell> cells(std::size_t{48} * 2, PatternCell{});
    cells[0] = PatternCell{49, 1, 0, 0, 0};
    cells[16 * 2] = PatternCell{49, 1, 0, 0x0E, 0x57};  // E57: finetune +7 x 16 from here on
    cells[32 * 2 + 1] = PatternCell{37, 1, 0, 0, 0};
    design.patterns[0].packed = PlainCells(cells);
    return design;
}

TEST(SecondPlay, FinetuneSetDuringPlayIsRestoredAtTheNextStart) {
    ExpectPlaysAlike(BuildXm(FinetuneDesign()), 4);
}

TEST(SecondPlay, ModulesBuiltInCodePlayAlikeTwice) {
    for (const NamedDesign& named : FeatureDesigns()) {
        SCOPED_TRACE(named.name);
        ExpectPlaysAlike(BuildXm(named.design), 10);
    }
}

TEST(SecondPlay, CommittedMusicAndBenchmarkSongsPlayAlikeTwice) {
    const std::filesystem::path songs(BENCH_SONGS_DIR);
    for (const std::filesystem::path& path :
         {std::filesystem::path(VESKAR_DAT_PATH), songs / "wall32.xm", songs / "drive16.xm",
          songs / "chip12.xm", songs / "strings24.xm"}) {
        SCOPED_TRACE(path.filename().string());
        ExpectPlaysAlike(ReadFile(path), 20);
    }
}

TEST(SecondPlay, ReferenceModulesPlayAlikeTwice) {
    const std::filesystem::path folder(XM_TESTDATA_DIR);
    if (!std::filesystem::is_directory(folder)) {
        GTEST_SKIP() << "the reference modules are not here: no folder " << XM_TESTDATA_DIR;
    }
    for (const PinnedRender& pinned : ReferenceModuleRenders()) {
        if (!std::filesystem::exists(folder / pinned.name)) {
            continue;
        }
        SCOPED_TRACE(pinned.name);
        ExpectPlaysAlike(ReadFile(folder / pinned.name), 10);
    }
}

}  // namespace
