// Offline rendering through the same block loop and conversion as the output's ring blocks.
#include "audio/player/OfflineRenderer.h"

#include <algorithm>

#include "audio/player/Mixer.h"
#include "audio/player/Playback.h"

bool OfflineRenderer::begin(Module& renderedModule, std::int32_t rate) {
    const std::int32_t blockFrames = BlockFramesAt(rate);
    if (blockFrames == 0 || !PreparePlayback(renderedModule, rate)) {
        return false;
    }
    module = &renderedModule;
    frames = blockFrames;
    mix.assign(static_cast<std::size_t>(frames) * 2, 0.0f);
    pcm.assign(static_cast<std::size_t>(frames) * 2, 0);
    return true;
}

const std::int16_t* OfflineRenderer::next() {
    if (module == nullptr) {
        return nullptr;
    }
    std::fill(mix.begin(), mix.end(), 0.0f);
    MixModule(*module, mix.data(), frames);
    ConvertToPcm(pcm.data(), mix.data(), frames);
    return pcm.data();
}
