// Renders a module into memory block by block, exactly as the output fills its ring, with no device
// and no thread: for offline tools, tests and the fuzzer. Uses the process-wide voices and channels,
// so it must not run while the output plays.
#pragma once

#include <cstdint>
#include <vector>

struct Module;

class OfflineRenderer {
  public:
    // Prepares module to play from its start at rate. False (and nothing rendered) for an unusable rate.
    [[nodiscard]] bool begin(Module& module, std::int32_t rate);
    // Renders the next block and returns its blockFrames() 16-bit stereo frames, valid until the next
    // call; nullptr before a successful begin.
    const std::int16_t* next();
    [[nodiscard]] std::int32_t blockFrames() const { return frames; }

  private:
    Module* module = nullptr;
    std::int32_t frames = 0;
    std::vector<float> mix;
    std::vector<std::int16_t> pcm;
};
