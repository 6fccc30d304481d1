// The reference modules of ../shared/xm-testdata, where that folder exists: every one loads or is
// rejected cleanly and plays safely, and the ping-pong precision test renders to near silence.
// Elsewhere these tests report themselves skipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "audio/player/ModuleLoader.h"
#include "audio/player/OfflineRenderer.h"
#include "tests/audio/player/PlayableModel.h"
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

class ReferenceModuleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::is_directory(XM_TESTDATA_DIR))
            GTEST_SKIP() << "the reference modules are not here: no folder " << XM_TESTDATA_DIR;
    }
};

}  // namespace

TEST_F(ReferenceModuleTest, EveryOneLoadsOrIsRejectedCleanly) {
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

// Two voices of opposite sign, one on a ping-pong loop and one on the same loop written out forward:
// a ping-pong that turns in the right place cancels the other all through the song. What remains is
// the interpolation's difference near the turns (the reference players leave the same).
TEST_F(ReferenceModuleTest, PingPongPrecisionRendersNearSilence) {
    auto module = LoadBytes(ReadFile(std::filesystem::path(XM_TESTDATA_DIR) / "openmpt_BidiPrecision.xm"));
    ASSERT_NE(module, nullptr);
    OfflineRenderer renderer;
    ASSERT_TRUE(renderer.begin(*module, 44100));
    double sum = 0.0;
    int peak = 0;
    const int blocks = 95;  // the song's 84672 frames
    for (int block = 0; block < blocks; ++block) {
        const std::int16_t* frames = renderer.next();
        for (int index = 0; index < renderer.blockFrames() * 2; ++index) {
            sum += static_cast<double>(frames[index]) * frames[index];
            peak = std::max(peak, std::abs(static_cast<int>(frames[index])));
        }
    }
    const double rms = std::sqrt(sum / (blocks * renderer.blockFrames() * 2.0));
    // Each voice alone: about 3200 RMS. A ping-pong that turns late or wraps below frame 0 leaves about
    // 4400 RMS and peaks of 8000.
    EXPECT_LT(rms, 400.0);
    EXPECT_LT(peak, 1200);
}
