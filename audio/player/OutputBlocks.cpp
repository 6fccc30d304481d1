// The output state and the block loop shared by the playback thread and offline rendering: tick the
// replayer whenever the current tick's frames are used up, mix, convert to PCM.
#include <algorithm>
#include <cstring>

#include "audio/player/Mixer.h"
#include "audio/player/Module.h"
#include "audio/player/Output.h"
#include "audio/player/OutputBlocks.h"
#include "audio/player/Replayer.h"

namespace {

inline constexpr std::size_t MIX_ALIGNMENT = 16;     // bytes
inline constexpr std::size_t MIX_SPARE_FLOATS = 64;  // 256 bytes of room for the alignment

// Aligns a float pointer up to MIX_ALIGNMENT bytes.
float* AlignedMixArea(std::vector<float>& storage) {
    auto address = reinterpret_cast<std::uintptr_t>(storage.data());
    address = (address + MIX_ALIGNMENT - 1) & ~(std::uintptr_t{MIX_ALIGNMENT} - 1);
    return reinterpret_cast<float*>(address);
}

}  // namespace

OutputState& Output() {
    static OutputState state;
    return state;
}

std::int32_t OutputRate() {
    return Output().outputRate;
}

std::int32_t RingBlocks() {
    const OutputState& state = Output();
    return state.blockFrames > 0 ? state.bufferFrames / state.blockFrames : 0;
}

// Sets outputRate, blockFrames and bufferFrames for rate.
void SetOutputRate(std::int32_t rate) {
    OutputState& state = Output();
    state.outputRate = rate;
    state.blockFrames = ((rate * 20) / 1000 + 3) & ~3;
    state.bufferFrames = (1000 / 20) * state.blockFrames * 2;
}

void AllocateRing() {
    OutputState& state = Output();
    state.pcmRing.assign(static_cast<std::size_t>(state.bufferFrames) * 2, 0);
}

void AllocateMixBuffer() {
    OutputState& state = Output();
    state.mixStorage.assign(static_cast<std::size_t>(state.bufferFrames) * 2 + MIX_SPARE_FLOATS, 0.0f);
    state.mixBuffer = AlignedMixArea(state.mixStorage);
}

void FreeMixBuffer() {
    OutputState& state = Output();
    state.mixBuffer = nullptr;
    state.mixStorage.clear();
    state.mixStorage.shrink_to_fit();
}

void MixBlock() {
    OutputState& state = Output();
    Module* module = state.currentModule;
    if (module == nullptr || state.mixBuffer == nullptr || state.pcmRing.empty())
        return;
    const std::int32_t block = state.writeBlock.load();
    const std::size_t blockOffset = static_cast<std::size_t>(block) * state.blockFrames * 2;
    float* area = state.mixBuffer + blockOffset;
    std::fill(area, area + static_cast<std::size_t>(state.blockFrames) * 2, 0.0f);
    std::int32_t done = 0;
    while (done < state.blockFrames) {
        if (module->samplesLeftInTick <= 0) {
            if (module->tickHandler != nullptr)
                module->tickHandler(*module);
            // A tick lasts at least one frame, so a tick length of 0 cannot stall the block.
            module->samplesLeftInTick = std::max(1, module->samplesPerTick);
        }
        const std::int32_t frames = std::min(module->samplesLeftInTick, state.blockFrames - done);
        MixVoices(area + static_cast<std::size_t>(done) * 2, frames);
        done += frames;
        module->samplesLeftInTick -= frames;
    }
    ConvertToPcm(state.pcmRing.data() + blockOffset, area, state.blockFrames);
    state.writeBlock.store(block + 1 >= RingBlocks() ? 0 : block + 1);
}

bool BeginOfflineRender(Module& module, std::int32_t rate) {
    OutputState& state = Output();
    if (!state.threadExited.load() || rate <= 0)
        return false;
    if (((rate * 20) / 1000 + 3) / 4 == 0 || rate > 4'000'000)
        return false;
    SetOutputRate(rate);
    ResetMixer(rate);
    ResetPlayback(module);
    state.currentModule = &module;
    AllocateRing();
    AllocateMixBuffer();
    state.writeBlock = 0;
    return true;
}

const std::int16_t* RenderNextBlock() {
    OutputState& state = Output();
    const std::int32_t block = state.writeBlock;
    MixBlock();
    return state.pcmRing.data() + static_cast<std::size_t>(block) * state.blockFrames * 2;
}

void EndOfflineRender() {
    OutputState& state = Output();
    // The buffers keep their memory for the next offline rendering; they are only cleared.
    state.currentModule = nullptr;
    state.mixBuffer = nullptr;
    state.mixStorage.clear();
    state.pcmRing.clear();
}
