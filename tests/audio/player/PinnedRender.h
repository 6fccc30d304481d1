// Rendered samples pinned by hash: a module rendered through the block loop at a rate, with the hash
// of its float mix and of its 16-bit samples, so that any change to a single sample is noticed.
#pragma once

#include <cstdint>
#include <vector>

struct Module;

struct RenderHashes {
    std::uint64_t mix = 0;  // FNV-1a of the float mix's bit patterns
    std::uint64_t pcm = 0;  // FNV-1a of the 16-bit samples, little-endian
};

struct PinnedRender {
    const char* name;  // module file name, or the name of a module built in code
    std::int32_t rate;
    std::int32_t seconds;
    RenderHashes hashes;
};

// Renders whole blocks covering seconds of module from its start at rate, exactly as the offline
// renderer and the output do, and hashes them. Both hashes are 0 when the rate is unusable. A
// module played before renders as a freshly loaded one (SecondPlayTest).
[[nodiscard]] RenderHashes RenderAndHash(Module& module, std::int32_t rate, std::int32_t seconds);

// Hashes recorded for the reference modules of ../shared/xm-testdata (10 s each at 44100 Hz).
[[nodiscard]] const std::vector<PinnedRender>& ReferenceModuleRenders();
