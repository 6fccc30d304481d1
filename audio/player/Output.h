// The audio output state of the process: the wave device, the ring of blocks, the playback thread and
// the operations that start and stop the music.
#pragma once

#include <cstdint>

struct Module;

// Frames per second of the output (44100 for the game). Read by the replayer (tick length, voice step).
[[nodiscard]] std::int32_t OutputRate();
