// Output-state helpers shared by the device half of the output and its block loop.
#pragma once

#include <cstdint>

// Sets outputRate, blockFrames and bufferFrames for rate (frames per second).
void SetOutputRate(std::int32_t rate);
// Allocates the zeroed PCM ring of bufferFrames frames.
void AllocateRing();
// Allocates the zeroed float mix area, 16-byte aligned.
void AllocateMixBuffer();
void FreeMixBuffer();
