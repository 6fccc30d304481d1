// Playing a module with no device: preparing it to play from its start, and the loop that ticks the
// replayer whenever the current tick's frames are used up and mixes the voices in between. The output
// thread renders its ring blocks through it; offline tools and the fuzzer render memory blocks.
#pragma once

#include <cstdint>

struct Module;

// Frames per mixing block at rate: about 20 ms rounded up to a multiple of 4 (884 at 44100 Hz); 0 for
// a rate the player does not render at (IsOutputRate).
[[nodiscard]] std::int32_t BlockFramesAt(std::int32_t rate);

// Prepares module to play from its start at outputRate frames per second: resets the mixer (ramp
// length and every voice) and the module's playback state. False, with nothing changed, for a rate
// the player does not render at (IsOutputRate).
[[nodiscard]] bool PreparePlayback(Module& module, std::int32_t outputRate);

// Adds frameCount stereo frames of module into destination (cleared by the caller), calling the
// module's tickHandler each time the frames of the current tick run out. A tick lasts at least one
// frame. Nothing happens for frameCount < 1.
void MixModule(Module& module, float* destination, std::int32_t frameCount);
