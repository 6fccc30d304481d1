// The block loop shared by the output thread and offline rendering.
#include "audio/player/Playback.h"

#include <algorithm>

#include "audio/player/Mixer.h"
#include "audio/player/Module.h"
#include "audio/player/Replayer.h"

std::int32_t BlockFramesAt(std::int32_t rate) {
    if (!IsOutputRate(rate)) {
        return 0;
    }
    return ((rate * 20) / 1000 + 3) & ~3;
}

bool PreparePlayback(Module& module, std::int32_t outputRate) {
    if (!IsOutputRate(outputRate)) {
        return false;
    }
    ResetMixer(outputRate);
    ResetPlayback(module, outputRate);
    return true;
}

void MixModule(Module& module, float* destination, std::int32_t frameCount) {
    if (destination == nullptr) {
        return;
    }
    std::int32_t done = 0;
    while (done < frameCount) {
        if (module.samplesLeftInTick <= 0) {
            if (module.tickHandler != nullptr) {
                module.tickHandler(module);
            }
            // A tick lasts at least one frame, so a tick length of 0 cannot stall the loop.
            module.samplesLeftInTick = std::max(1, module.samplesPerTick);
        }
        const std::int32_t frames = std::min(module.samplesLeftInTick, frameCount - done);
        MixVoices(destination + static_cast<std::size_t>(done) * 2, frames);
        done += frames;
        module.samplesLeftInTick -= frames;
    }
}
