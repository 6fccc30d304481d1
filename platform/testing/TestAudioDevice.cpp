// The test backend's audio device: nothing plays until a test advances it, and what it plays is kept,
// the mix and its parts.
#include <mutex>
#include <vector>

#include "platform/audio/AudioDevice.h"
#include "platform/testing/TestAudio.h"

namespace veskar::platform {
namespace {

struct TestAudioState {
    std::mutex mutex;  // the device is opened on one thread and may be advanced from another
    bool available = true;
    bool open = false;
    int rate = 0;
    AudioDevice::Pull pull;
    std::vector<std::int16_t> recorded;
    std::vector<std::int16_t> music;
    std::vector<std::int16_t> effects;
};

TestAudioState& testAudioState() {
    static TestAudioState state;
    return state;
}

class TestAudioDevice final : public AudioDevice {
  public:
    ~TestAudioDevice() override { close(); }

    bool open(int rate, Pull pullFunction) override {
        TestAudioState& state = testAudioState();
        std::lock_guard<std::mutex> lock(state.mutex);
        if (!state.available || state.open) {
            return false;
        }
        state.open = true;
        state.rate = rate;
        state.pull = std::move(pullFunction);
        opened = true;
        return true;
    }

    void close() override {
        if (!opened) {
            return;
        }
        TestAudioState& state = testAudioState();
        std::lock_guard<std::mutex> lock(state.mutex);
        state.open = false;
        state.rate = 0;
        state.pull = nullptr;
        opened = false;
    }

  private:
    bool opened = false;
};

}  // namespace

std::unique_ptr<AudioDevice> CreateAudioDevice() {
    return std::make_unique<TestAudioDevice>();
}

namespace testing {

void setAudioDeviceAvailable(bool available) {
    std::lock_guard<std::mutex> lock(testAudioState().mutex);
    testAudioState().available = available;
}

bool audioDeviceOpen() {
    std::lock_guard<std::mutex> lock(testAudioState().mutex);
    return testAudioState().open;
}

int audioDeviceRate() {
    std::lock_guard<std::mutex> lock(testAudioState().mutex);
    return testAudioState().rate;
}

void advanceAudio(int frameCount, bool record) {
    TestAudioState& state = testAudioState();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (!state.open || frameCount <= 0) {
        return;
    }
    const std::size_t values = static_cast<std::size_t>(frameCount) * 2;
    std::vector<std::int16_t> frames(values);
    std::vector<std::int16_t> music(values);
    std::vector<std::int16_t> effects(values);
    state.pull(frames.data(), frameCount, music.data(), effects.data());
    if (record) {
        state.recorded.insert(state.recorded.end(), frames.begin(), frames.end());
        state.music.insert(state.music.end(), music.begin(), music.end());
        state.effects.insert(state.effects.end(), effects.begin(), effects.end());
    }
}

const std::vector<std::int16_t>& recordedAudio() {
    return testAudioState().recorded;
}

const std::vector<std::int16_t>& recordedMusic() {
    return testAudioState().music;
}

const std::vector<std::int16_t>& recordedEffects() {
    return testAudioState().effects;
}

void clearRecordedAudio() {
    std::lock_guard<std::mutex> lock(testAudioState().mutex);
    testAudioState().recorded.clear();
    testAudioState().music.clear();
    testAudioState().effects.clear();
}

}  // namespace testing
}  // namespace veskar::platform
