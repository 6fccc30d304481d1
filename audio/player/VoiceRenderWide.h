// Eight frames at a time with AVX2 where the processor has it (chosen at run time; the build itself
// assumes no more than SSE2). The same operations per frame as VoiceRender's loops, so the samples
// are bit for bit the same; each call renders a multiple of eight frames and leaves the rest.
#pragma once

#include <cstdint>

#include "audio/player/VoiceRender.h"

#if defined(__x86_64__) && defined(__GNUC__)
#define VESKAR_MIXER_WIDE 1
#else
#define VESKAR_MIXER_WIDE 0
#endif

// True when the wide loops below may run on this processor.
[[nodiscard]] bool WideMixing();

// Render frames / 8 x 8 frames as RenderForward etc. do and return the position after them; out and
// frames are advanced past them. The ramped ones leave the gains after the last frame in gains.
// Only to be called when WideMixing() is true.
std::uint64_t RenderWide(const std::int16_t* data, std::uint64_t position, std::uint64_t step, float*& out,
                         std::int32_t& frames, const SegmentGains& gains, bool backward);
std::uint64_t RenderWideRamped(const std::int16_t* data, std::uint64_t position, std::uint64_t step,
                               float*& out, std::int32_t& frames, SegmentGains& gains, bool backward);
