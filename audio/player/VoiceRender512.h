// Sixteen frames at a time with AVX-512 where the processor has it (chosen at run time), a whole
// stretch per call: the last frames run in the same loop with a lane mask. The same operations per
// frame as the portable loops, so the samples are bit for bit the same.
#pragma once

#include <cstdint>

#include "audio/player/VoiceRender.h"

// True when the loops below may run on this processor.
[[nodiscard]] bool Avx512Mixing();

// As RenderSteady and RenderRamped. Only to be called when Avx512Mixing() is true.
void RenderSteady512(const VoiceSpan& span, float* out, std::int32_t frames, float first, float second);
void RenderRamped512(const VoiceSpan& span, float* out, std::int32_t frames, const float* gainPairs);
void RenderRampChain512(const VoiceSpan& span, float* out, std::int32_t frames, RampChain& gains);

// Converts whole groups of sixteen of values floats as ConvertToPcm does (round to nearest, ties to
// even, after clamping to -32768..32767) and returns how many it converted.
[[nodiscard]] std::int32_t ConvertToPcm512(std::int16_t* pcm, const float* source, std::int32_t values);
