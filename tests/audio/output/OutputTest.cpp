// The audio output on the test backend's device: opening, the ring and its blocks, the playback
// thread that refills it, and stopping. Run under ThreadSanitizer as well.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "audio/output/Output.h"
#include "audio/player/MemoryFile.h"
#include "audio/player/ModuleFileOps.h"
#include "audio/player/OfflineRenderer.h"
#include "audio/player/Voice.h"
#include "platform/audio/Threads.h"
#include "platform/testing/TestAudio.h"
#include "tests/audio/player/XmBuilder.h"

namespace testing_audio = veskar::platform::testing;

namespace {

inline constexpr int BLOCK_FRAMES = 884;
inline constexpr int BLOCKS = 100;

// A song that sounds all the time: a looping sample started on row 0, another note on row 2.
std::unique_ptr<Module> LoopingSong() {
    XmDesign design = SimpleDesign(2);
    XmPatternDesign& pattern = design.patterns[0];
    pattern.rows = 4;
    std::vector<PatternCell> cells(8, PatternCell{});
    cells[0] = PatternCell{49, 1, 0, 0, 0};
    cells[5] = PatternCell{56, 1, 0x30, 0, 0};
    pattern.packed = PlainCells(cells);
    XmSampleDesign& sample = design.instruments[0].samples[0];
    sample.type = 0x01;
    sample.loopStart = 0;
    sample.loopLength = sample.length;
    auto module = LoadBytes(BuildXm(design));
    InstallMemoryFileOps();
    return module;
}

// The first blocks blocks of module as offline rendering produces them.
std::vector<std::int16_t> OfflineBlocks(Module& module, int blocks) {
    std::vector<std::int16_t> pcm;
    OfflineRenderer renderer;
    EXPECT_TRUE(renderer.begin(module, 44100));
    for (int block = 0; block < blocks; ++block) {
        const std::int16_t* frames = renderer.next();
        pcm.insert(pcm.end(), frames, frames + BLOCK_FRAMES * 2);
    }
    return pcm;
}

// Waits (without a time limit that could fail the test on a slow machine, up to a generous bound)
// until condition holds.
template <typename Condition>
bool WaitFor(Condition condition) {
    for (int attempt = 0; attempt < 2000 && !condition(); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return condition();
}

class OutputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing_audio::setAudioDeviceAvailable(true);
        testing_audio::clearRecordedAudio();
        InstallMemoryFileOps();
    }
    void TearDown() override {
        CloseOutput();
        testing_audio::setAudioDeviceAvailable(true);
        testing_audio::clearRecordedAudio();
    }
};

}  // namespace

TEST_F(OutputTest, OpenRefusesWithoutFileOperations) {
    InstallModuleFileOps(nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(OpenOutput(44100));
    EXPECT_FALSE(testing_audio::audioDeviceOpen());
}

TEST_F(OutputTest, OpenFailsWithoutADevice) {
    testing_audio::setAudioDeviceAvailable(false);
    EXPECT_FALSE(OpenOutput(44100));
    auto module = LoopingSong();
    EXPECT_FALSE(StartPlayback(module.get()));
    EXPECT_EQ(PlayingModule(), nullptr);
}

TEST_F(OutputTest, OpenSetsTheBlockSizes) {
    ASSERT_TRUE(OpenOutput(44100));
    EXPECT_TRUE(testing_audio::audioDeviceOpen());
    EXPECT_EQ(testing_audio::audioDeviceRate(), 44100);
    EXPECT_EQ(OutputRate(), 44100);
    EXPECT_EQ(Output().blockFrames, 884);
    EXPECT_EQ(Output().bufferFrames, 88400);
    EXPECT_EQ(RingBlocks(), 100);
    CloseOutput();
    EXPECT_FALSE(testing_audio::audioDeviceOpen());
}

TEST_F(OutputTest, StartRefusesNoModuleAndAClosedDevice) {
    auto module = LoopingSong();
    EXPECT_FALSE(StartPlayback(module.get()));
    ASSERT_TRUE(OpenOutput(44100));
    EXPECT_FALSE(StartPlayback(nullptr));
    EXPECT_FALSE(StopPlayback(nullptr));
}

TEST_F(OutputTest, StartFillsTheWholeRingBeforeTheDevicePlays) {
    auto module = LoopingSong();
    const std::vector<std::int16_t> expected = OfflineBlocks(*module, BLOCKS);
    ASSERT_TRUE(OpenOutput(44100));
    ASSERT_TRUE(StartPlayback(module.get()));
    EXPECT_EQ(Output().pcmRing.size() * sizeof(std::int16_t), 353600u);
    // The first sound heard is the start of the song.
    testing_audio::advanceAudio(BLOCK_FRAMES * 3);
    const std::vector<std::int16_t>& heard = testing_audio::recordedAudio();
    ASSERT_EQ(heard.size(), static_cast<std::size_t>(BLOCK_FRAMES * 3 * 2));
    EXPECT_TRUE(std::equal(heard.begin(), heard.end(), expected.begin()));
    EXPECT_NE(heard[BLOCK_FRAMES], 0);
    EXPECT_TRUE(StopPlayback(module.get()));
    // Stopping leaves the whole first pass of the ring as it was mixed at the start and afterwards.
    EXPECT_TRUE(std::equal(Output().pcmRing.begin() + BLOCK_FRAMES * 2 * 10, Output().pcmRing.end(),
                           expected.begin() + BLOCK_FRAMES * 2 * 10));
}

TEST_F(OutputTest, ThreadRefillsWhatHasBeenPlayed) {
    auto module = LoopingSong();
    const std::vector<std::int16_t> expected = OfflineBlocks(*module, BLOCKS + 30);
    ASSERT_TRUE(OpenOutput(44100));
    ASSERT_TRUE(StartPlayback(module.get()));
    testing_audio::advanceAudio(BLOCK_FRAMES * 30, false);
    ASSERT_TRUE(WaitFor([] { return Output().writeBlock.load() == 30; }));
    EXPECT_TRUE(StopPlayback(module.get()));
    // Ring blocks 0..29 now hold song blocks 100..129.
    EXPECT_TRUE(std::equal(Output().pcmRing.begin(), Output().pcmRing.begin() + BLOCK_FRAMES * 2 * 30,
                           expected.begin() + BLOCK_FRAMES * 2 * BLOCKS));
}

TEST_F(OutputTest, StartingTwiceLeavesOneThreadAndOneModule) {
    auto first = LoopingSong();
    auto second = LoopingSong();
    ASSERT_TRUE(OpenOutput(44100));
    ASSERT_TRUE(StartPlayback(first.get()));
    ASSERT_TRUE(StartPlayback(second.get()));
    EXPECT_EQ(PlayingModule(), second.get());
    EXPECT_TRUE(WaitFor([] { return veskar::platform::runningThreadCount() == 1; }));
    EXPECT_EQ(veskar::platform::runningThreadCount(), 1);
    EXPECT_TRUE(FreeModule(std::move(second)));
    EXPECT_EQ(PlayingModule(), nullptr);
    EXPECT_TRUE(WaitFor([] { return veskar::platform::runningThreadCount() == 0; }));
}

TEST(FreeModule, IsFalseForNoneAndTrueForAModule) {
    EXPECT_FALSE(FreeModule(nullptr));
    EXPECT_TRUE(FreeModule(LoadBytes(BuildXm(SimpleDesign()))));
}

TEST_F(OutputTest, FreeingThePlayingModuleLeavesNoVoiceOnItsSamples) {
    auto first = LoopingSong();
    auto second = LoopingSong();
    ASSERT_TRUE(OpenOutput(44100));
    ASSERT_TRUE(StartPlayback(first.get()));
    EXPECT_TRUE(FreeModule(std::move(first)));
    for (const Voice& voice : Voices()) {
        EXPECT_EQ(voice.sample, nullptr);
    }
    // Starting another module on the same open output mixes nothing of the freed one.
    ASSERT_TRUE(StartPlayback(second.get()));
    EXPECT_TRUE(FreeModule(std::move(second)));
}

TEST_F(OutputTest, FreeingAModuleThatIsNotPlayingLeavesPlaybackAlone) {
    auto playing = LoopingSong();
    auto other = LoopingSong();
    ASSERT_TRUE(OpenOutput(44100));
    ASSERT_TRUE(StartPlayback(playing.get()));
    EXPECT_TRUE(FreeModule(std::move(other)));
    EXPECT_EQ(PlayingModule(), playing.get());
    EXPECT_TRUE(FreeModule(std::move(playing)));
    EXPECT_EQ(PlayingModule(), nullptr);
}

namespace {
std::atomic<bool> holdTicks{false};
std::atomic<bool> insideTick{false};
TickHandler realTick = nullptr;

// A tick that, once armed, waits inside the block until the test lets it go.
void HeldTick(Module& module) {
    if (holdTicks.load()) {
        insideTick.store(true);
        while (holdTicks.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    realTick(module);
}
}  // namespace

TEST_F(OutputTest, StopWaitsForTheBlockBeingMixed) {
    auto module = LoopingSong();
    realTick = module->tickHandler;
    module->tickHandler = HeldTick;
    ASSERT_TRUE(OpenOutput(44100));
    ASSERT_TRUE(StartPlayback(module.get()));
    holdTicks.store(true);
    insideTick.store(false);
    testing_audio::advanceAudio(BLOCK_FRAMES * 5, false);
    ASSERT_TRUE(WaitFor([] { return insideTick.load(); }));
    std::atomic<bool> stopped{false};
    std::thread stopper([&] {
        (void)StopPlayback(module.get());
        stopped.store(true);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(stopped.load());  // still waiting for the block
    holdTicks.store(false);
    stopper.join();
    EXPECT_TRUE(stopped.load());
    EXPECT_FALSE(Output().mixingBlock.load());
    EXPECT_TRUE(Output().threadExited.load());
    EXPECT_GE(Output().writeBlock.load(), 1);  // the held block was finished, not abandoned
    EXPECT_EQ(PlayingModule(), nullptr);
}

TEST_F(OutputTest, CloseStopsAPlaybackStillRunning) {
    auto module = LoopingSong();
    ASSERT_TRUE(OpenOutput(44100));
    ASSERT_TRUE(StartPlayback(module.get()));
    CloseOutput();
    EXPECT_EQ(PlayingModule(), nullptr);
    EXPECT_FALSE(testing_audio::audioDeviceOpen());
    EXPECT_TRUE(Output().threadExited.load());
}

TEST_F(OutputTest, ClosingWhileTheDevicePlaysFadesToSilence) {
    auto module = LoopingSong();
    ASSERT_TRUE(OpenOutput(44100));
    ASSERT_TRUE(StartPlayback(module.get()));
    std::atomic<bool> closed{false};
    // The device's reader runs on its own thread, as a sound card's does, while the ring fades.
    std::thread device([&] {
        while (!closed.load()) {
            testing_audio::advanceAudio(64);
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    ASSERT_TRUE(WaitFor([] { return testing_audio::audioDeviceOpen(); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    CloseOutput();
    closed.store(true);
    device.join();
    const std::vector<std::int16_t>& heard = testing_audio::recordedAudio();
    ASSERT_GE(heard.size(), 64u * 2);
    EXPECT_TRUE(std::any_of(heard.begin(), heard.end(), [](std::int16_t value) { return value != 0; }));
    EXPECT_TRUE(
        std::all_of(heard.end() - 64 * 2, heard.end(), [](std::int16_t value) { return value == 0; }));
}

TEST_F(OutputTest, ReopeningStopsPlaybackAndReopensTheDevice) {
    auto module = LoopingSong();
    ASSERT_TRUE(OpenOutput(44100));
    ASSERT_TRUE(StartPlayback(module.get()));
    ASSERT_TRUE(OpenOutput(22050));
    EXPECT_EQ(PlayingModule(), nullptr);
    EXPECT_EQ(testing_audio::audioDeviceRate(), 22050);
    EXPECT_EQ(Output().blockFrames, 444);
}
