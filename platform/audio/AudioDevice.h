// The sound device that a backend supplies to the platform's audio output: it asks the core for
// 16-bit stereo frames whenever it needs more. SDL2's audio device for the game, a virtual one for tests.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace veskar::platform {

class AudioDevice {
  public:
    // Fills `frames` with frameCount interleaved 16-bit stereo frames (2 x frameCount values) of the
    // mix. A device that keeps the sources apart passes `music` and `effects` buffers of the same size
    // to receive the two parts before mixing; others pass null. Called on the device's own thread
    // (the caller's, for the test device) while the device is open.
    using Pull =
        std::function<void(std::int16_t* frames, int frameCount, std::int16_t* music, std::int16_t* effects)>;

    virtual ~AudioDevice() = default;
    // Opens the default device for 16-bit stereo at rate frames per second and starts pulling. False
    // when there is no usable device (such as on a machine without sound).
    [[nodiscard]] virtual bool open(int rate, Pull pull) = 0;
    // Stops pulling and releases the device; pull is not called after this returns.
    virtual void close() = 0;
};

// Defined by the backend the program links (platform/sdl or platform/testing). Never null.
[[nodiscard]] std::unique_ptr<AudioDevice> CreateAudioDevice();

}  // namespace veskar::platform
