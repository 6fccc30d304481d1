// The test backend's audio device: nothing plays until a test advances it, and what it plays is kept.
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
};

TestAudioState& State() {
    static TestAudioState state;
    return state;
}

class TestAudioDevice final : public AudioDevice {
  public:
    ~TestAudioDevice() override { close(); }

    bool open(int rate, Pull pullFunction) override {
        TestAudioState& state = State();
        std::lock_guard<std::mutex> lock(state.mutex);
        if (!state.available || state.open)
            return false;
        state.open = true;
        state.rate = rate;
        state.pull = std::move(pullFunction);
        opened = true;
        return true;
    }

    void close() override {
        if (!opened)
            return;
        TestAudioState& state = State();
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

void SetAudioDeviceAvailable(bool available) {
    std::lock_guard<std::mutex> lock(State().mutex);
    State().available = available;
}

bool AudioDeviceOpen() {
    std::lock_guard<std::mutex> lock(State().mutex);
    return State().open;
}

int AudioDeviceRate() {
    std::lock_guard<std::mutex> lock(State().mutex);
    return State().rate;
}

void AdvanceAudio(int frameCount, bool record) {
    TestAudioState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (!state.open || frameCount <= 0)
        return;
    std::vector<std::int16_t> frames(static_cast<std::size_t>(frameCount) * 2);
    state.pull(frames.data(), frameCount);
    if (record)
        state.recorded.insert(state.recorded.end(), frames.begin(), frames.end());
}

const std::vector<std::int16_t>& RecordedAudio() {
    return State().recorded;
}

void ClearRecordedAudio() {
    std::lock_guard<std::mutex> lock(State().mutex);
    State().recorded.clear();
}

}  // namespace testing
}  // namespace veskar::platform
