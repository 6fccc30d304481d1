// Eight frames at a time with AVX2 where the processor has it (chosen at run time; the build itself
// assumes no more than SSE2). The same operations per frame as the portable loops, so the samples
// are bit for bit the same; each call renders whole groups of eight frames and leaves the rest.
#pragma once

#include <cstdint>

#include "audio/player/VoiceRender.h"

// The wide loops are built for x86-64 with GCC or Clang. Not for Windows: there the compiler cannot
// keep 32-byte values on the stack aligned, and the portable loops render the same samples.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(_WIN32)
#define VESKAR_MIXER_WIDE 1
#else
#define VESKAR_MIXER_WIDE 0
#endif

// True when the loops below may run on this processor.
[[nodiscard]] bool WideMixing();

// Render frames / 8 x 8 frames as RenderSteady and RenderRamped do, and move span.position, out,
// frames (and the gain tables) past them. Only to be called when WideMixing() is true.
void RenderWideSteady(VoiceSpan& span, float*& out, std::int32_t& frames, float first, float second);
void RenderWideRamped(VoiceSpan& span, float*& out, std::int32_t& frames, const float*& gainPairs);
// The same for a ramp worked out as the loop goes; gains moves on past the frames rendered.
void RenderWideChain(VoiceSpan& span, float*& out, std::int32_t& frames, RampChain& gains);
