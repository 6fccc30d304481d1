// The output state and the ring's block loop: each block is mixed through the device-free block loop
// and converted to PCM in its place in the ring.
#include <algorithm>
#include <cstring>

#include "audio/output/Output.h"
#include "audio/output/OutputBlocks.h"
#include "audio/player/Mixer.h"
#include "audio/player/Module.h"
#include "audio/player/Playback.h"

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

void SetOutputRate(std::int32_t rate) {
    OutputState& state = Output();
    state.outputRate = rate;
    state.blockFrames = BlockFramesAt(rate);
    state.bufferFrames = (1000 / 20) * state.blockFrames * 2;
}

void AllocateRing() {
    OutputState& state = Output();
    state.pcmRing.assign(static_cast<std::size_t>(state.bufferFrames) * 2, 0);
}

void AllocateMixBuffer() {
    OutputState& state = Output();
    // One block's area, used for every block: it stays in the cache between blocks, where an area
    // per block of the ring would bring 700 KB through it.
    state.mixStorage.assign(static_cast<std::size_t>(state.blockFrames) * 2 + MIX_SPARE_FLOATS, 0.0f);
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
    if (module == nullptr || state.mixBuffer == nullptr || state.pcmRing.empty()) {
        return;
    }
    const std::int32_t block = state.writeBlock.load();
    const std::size_t blockOffset = static_cast<std::size_t>(block) * state.blockFrames * 2;
    float* area = state.mixBuffer;
    std::fill(area, area + static_cast<std::size_t>(state.blockFrames) * 2, 0.0f);
    MixModule(*module, area, state.blockFrames);
    ConvertToPcm(state.pcmRing.data() + blockOffset, area, state.blockFrames);
    state.writeBlock.store(block + 1 >= RingBlocks() ? 0 : block + 1);
}
