// The pattern replayer: advances a loaded module by one tick at a time, reading rows, applying effects
// and leaving per-voice parameters for the mixer. Runs on the audio thread only.
#pragma once

#include <cstdint>

struct Module;

// Tempo used when a module asks for none (a damaged default BPM of 0): the lowest Fxx can set.
inline constexpr std::int32_t MINIMUM_BPM = 32;

// The module's tickHandler: advances the song by one tick (a row's first tick or one of its other ticks).
void ModuleTick(Module& module);

// Stores bpm (MINIMUM_BPM for a value below 1) and sets samplesPerTick for the module's outputRate, at
// least 1.
void SetBpm(Module& module, std::int32_t bpm);

// Puts the module's playback state back to the start of the song at outputRate (frames per second, > 0):
// global volume, order 0 row 0, default speed and tempo, no pending jump, the samples' finetunes as
// the file gave them, and the channel records zeroed and bound to their voices.
void ResetPlayback(Module& module, std::int32_t outputRate);
