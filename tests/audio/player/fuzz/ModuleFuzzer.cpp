// libFuzzer target: the fuzzer's bytes are a module file, read through the memory file; an accepted
// module is played for a bounded number of ticks through the block loop and the mixer, and the
// mixer's work for every block must stay within its bound.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "audio/player/MemoryFile.h"
#include "audio/player/Mixer.h"
#include "audio/player/Module.h"
#include "audio/player/ModuleFileOps.h"
#include "audio/player/ModuleLoader.h"
#include "audio/player/Playback.h"
#include "audio/player/Voice.h"

namespace {

// A low rate keeps each run short and gives large steps, which cross loop ends often.
inline constexpr std::int32_t RATE = 2000;
inline constexpr int MAX_TICKS = 96;
inline constexpr std::int32_t MAX_FRAMES = 12800;
inline constexpr std::int32_t CHUNK_FRAMES = 64;

const std::uint8_t* inputData = nullptr;
std::size_t inputSize = 0;
int ticksRun = 0;
TickHandler replayerTick = nullptr;

// Opens the fuzzer's bytes, whatever the name, as a memory file.
void* OpenInput(const char*) {
    auto* file = new MemoryFile{};
    file->data.assign(inputData, inputData + inputSize);
    file->size = static_cast<std::int32_t>(inputSize);
    return file;
}

void CountedTick(Module& module) {
    ++ticksRun;
    replayerTick(module);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 0x7FFFFFFF)
        return 0;
    inputData = data;
    inputSize = size;
    InstallModuleFileOps(OpenInput, MemoryFileClose, MemoryFileRead, MemoryFileSeek, MemoryFileTell);
    std::unique_ptr<Module> module = CreateModule("fuzz.xm", nullptr);
    if (module == nullptr || !PreparePlayback(*module, RATE))
        return 0;
    replayerTick = module->tickHandler;
    module->tickHandler = CountedTick;
    ticksRun = 0;
    std::vector<float> mix(CHUNK_FRAMES * 2);
    std::vector<std::int16_t> pcm(CHUNK_FRAMES * 2);
    for (std::int32_t frames = 0; frames < MAX_FRAMES && ticksRun < MAX_TICKS; frames += CHUNK_FRAMES) {
        std::fill(mix.begin(), mix.end(), 0.0f);
        const std::uint64_t segmentsBefore = MixedSegments();
        MixModule(*module, mix.data(), CHUNK_FRAMES);
        // At most 2 x (frames + 1) segments per voice for every call of the mixer within the chunk.
        if (MixedSegments() - segmentsBefore > 2u * 2u * CHUNK_FRAMES * MIXED_VOICE_COUNT)
            std::abort();
        ConvertToPcm(pcm.data(), mix.data(), CHUNK_FRAMES);
    }
    return 0;
}
